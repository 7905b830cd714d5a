"""An OpenSSH server of the test's own on 127.0.0.1 (its own configuration, host key and port), run as root
with a temporary user whose home is work/home; SFTP through the server's internal sftp."""
import os
import pwd
import subprocess
import sys

from ftp_fixture import free_port, wait_for


class SshServer:
    def __init__(self, work):
        if os.geteuid() != 0:
            print("sshd needs root to make its temporary user: skipped")
            sys.exit(77)
        self.work = work
        self.port = free_port()
        self.user, self.password = "quillonssh%d" % os.getpid(), "ssh-pass-456"
        self.home = os.path.join(work, "home")
        os.makedirs(self.home)
        subprocess.run(["useradd", "-M", "-d", self.home, "-s", "/bin/sh", self.user], check=True)
        subprocess.run(["chpasswd"], input=f"{self.user}:{self.password}\n", text=True, check=True)
        info = pwd.getpwnam(self.user)
        os.chown(self.home, info.pw_uid, info.pw_gid)
        self.uid, self.gid = info.pw_uid, info.pw_gid
        self.host_key = os.path.join(work, "host_key")
        self.authorized = os.path.join(work, "authorized_keys")
        open(self.authorized, "w").close()
        os.makedirs("/run/sshd", exist_ok=True)
        self.new_host_key()
        self.process = None
        self.start()

    def new_host_key(self):
        for path in (self.host_key, self.host_key + ".pub"):
            if os.path.exists(path):
                os.remove(path)
        subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", self.host_key], check=True)

    def fingerprint(self):
        out = subprocess.run(["ssh-keygen", "-l", "-E", "sha256", "-f", self.host_key + ".pub"],
                             capture_output=True, text=True, check=True).stdout
        return out.split()[1]

    def start(self):
        conf = os.path.join(self.work, "sshd_config")
        with open(conf, "w") as f:
            f.write(f"""Port {self.port}
ListenAddress 127.0.0.1
HostKey {self.host_key}
PidFile {self.work}/sshd.pid
UsePAM no
PasswordAuthentication yes
KbdInteractiveAuthentication no
PubkeyAuthentication yes
AuthorizedKeysFile {self.authorized}
StrictModes no
PermitRootLogin no
AllowUsers {self.user}
Subsystem sftp internal-sftp
""")
        self.process = subprocess.Popen(["/usr/sbin/sshd", "-D", "-e", "-f", conf], stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(self.work, "sshd.log"), "a"))
        wait_for(self.port, "sshd")

    def restart(self):
        self.process.terminate()
        self.process.wait()
        self.start()

    def stop(self):
        self.process.terminate()
        self.process.wait()
        subprocess.run(["userdel", self.user], check=False)
