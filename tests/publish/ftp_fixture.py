"""An FTP server on 127.0.0.1 for one test: pyftpdlib as any user, vsftpd as root with a temporary user.
vsftpd takes only PORT (active) data connections, pyftpdlib both kinds; with passive_only, each takes only
EPSV and PASV."""
import os
import pwd
import shutil
import socket
import subprocess
import sys
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def write_bytes(folder, name, data):
    """Writes `data` as folder/name and returns the path."""
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


def bytes_or_none(folder, name):
    """The bytes of folder/name, or None when there is no such file."""
    path = os.path.join(folder, name)
    return open(path, "rb").read() if os.path.exists(path) else None


def make_certificate(path, name):
    """A self-signed certificate and its key in one file, for `name`."""
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", path, "-out", path,
                    "-days", "2", "-subj", "/CN=" + name, "-addext", "subjectAltName=IP:" + name],
                   check=True, capture_output=True)


def certificate_fingerprint(path):
    """The certificate's SHA-256 fingerprint as the client words it: "SHA256:" and unpadded base64."""
    import base64
    der = subprocess.run(["openssl", "x509", "-in", path, "-outform", "DER"], check=True, capture_output=True).stdout
    import hashlib
    return "SHA256:" + base64.b64encode(hashlib.sha256(der).digest()).decode().rstrip("=")


def wait_for(port, kind, host="127.0.0.1"):
    for _ in range(100):
        try:
            with socket.create_connection((host, port), timeout=0.2):
                return
        except OSError:
            time.sleep(0.1)
    raise SystemExit(f"{kind} did not start on port {port}")


class FtpServer:
    """Starts the server with a user whose home is work/home; stop() ends it and removes the user."""

    def __init__(self, kind, work, passive_only=False, host="127.0.0.1", tls=None, perm="elradfmwMT"):
        self.kind = kind
        self.tls = tls  # None, "explicit" or "implicit" (vsftpd only): FTP over TLS, required
        if tls:
            self.cert = os.path.join(work, "cert.pem")
            make_certificate(self.cert, "127.0.0.1")
        self.host = host  # pyftpdlib only: "::1" serves IPv6
        self.port = free_port()
        self.user, self.password = "quillon", "test-pass-123"
        self.home = os.path.join(work, "home")
        os.makedirs(self.home)
        if kind == "pyftpdlib":
            script = os.path.join(work, "server.py")
            with open(script, "w") as f:
                f.write(f"""
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
a = DummyAuthorizer()
a.add_user({self.user!r}, {self.password!r}, {self.home!r}, perm={perm!r})
Base = FTPHandler
if {bool(tls)!r}:
    from pyftpdlib.handlers import TLS_FTPHandler as Base
    Base.certfile = {getattr(self, "cert", "")!r}
    Base.tls_control_required = True
    Base.tls_data_required = True
class Handler(Base):
    def ftp_PORT(self, line):
        if {passive_only!r}:
            return self.respond("500 Active data connections are switched off here.")
        return Base.ftp_PORT(self, line)

    def ftp_EPRT(self, line):
        if {passive_only!r}:
            return self.respond("500 Active data connections are switched off here.")
        return Base.ftp_EPRT(self, line)
h = Handler
h.authorizer = a
FTPServer(({host!r}, {self.port}), h).serve_forever()
""")
            self.process = subprocess.Popen(["/usr/bin/python3", script], stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
        elif kind == "vsftpd":
            if os.geteuid() != 0:
                print("vsftpd needs root to make its temporary user: skipped")
                sys.exit(77)
            self.user = "quillonftp%d" % os.getpid()
            subprocess.run(["useradd", "-M", "-d", self.home, "-s", "/bin/sh", self.user], check=True)
            subprocess.run(["chpasswd"], input=f"{self.user}:{self.password}\n", text=True, check=True)
            info = pwd.getpwnam(self.user)
            os.chown(self.home, info.pw_uid, info.pw_gid)
            empty = os.path.join(work, "empty")
            os.makedirs(empty)
            conf = os.path.join(work, "vsftpd.conf")
            with open(conf, "w") as f:
                f.write(f"""listen=YES
listen_address=127.0.0.1
listen_port={self.port}
background=NO
anonymous_enable=NO
local_enable=YES
write_enable=YES
local_umask=022
pasv_enable={"YES" if passive_only else "NO"}
port_enable={"NO" if passive_only else "YES"}
connect_from_port_20=NO
chroot_local_user=NO
pam_service_name=vsftpd
secure_chroot_dir={empty}
seccomp_sandbox=NO
userlist_enable=NO
check_shell=NO
xferlog_enable=NO
""" + (f"""ssl_enable=YES
rsa_cert_file={self.cert}
allow_anon_ssl=NO
force_local_data_ssl=YES
force_local_logins_ssl=YES
implicit_ssl={"YES" if tls == "implicit" else "NO"}
""" if tls else ""))
            self.process = subprocess.Popen(["vsftpd", conf], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        else:
            raise SystemExit("unknown server " + kind)
        wait_for(self.port, kind, host)

    def stop(self):
        self.process.terminate()
        self.process.wait()
        if self.kind == "vsftpd":
            subprocess.run(["userdel", self.user], check=False)


def local_profile_lines(server, name="Local"):
    """The FTP screen script lines that store a profile for this server, its password saved."""
    return (f'  set EditProfile {name}\n  set EditHost "127.0.0.1:{server.port}"\n  set EditUser {server.user}\n'
            f'  set EditPassword {server.password}\n  set CheckPassword 1\n  click ButtonAddHost\n')


def secure_screen_case(work, server, protocol_index, question=None):
    """Writes and returns the script for the FTP screen over an encrypted protocol: a profile with that
    protocol (its index in the Protocol list), two files sent on the first connection (the server's key or
    certificate trusted when `question` is asked), then a second connection that asks nothing."""
    expect = f'#! expect MESSAGE confirm "Brindle Quillon Pro" "{question}" -> Yes\n' if question else ""
    script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/up/\\r\\n"
#! file up/a.html "<P>page a</P>\\r\\n"
#! file up/c.txt "@@70000@@"
{expect}#! dialogdump 1 {{"Label15": {{"text": "Completed sending 2 files."}}, "ListBox2": {{"items": ["a.html", "c.txt"]}}}}
#! dialogdump 2 {{"ListBox2": {{"items": ["a.html", "c.txt"]}}}}
dialog TFormFTP
  set EditProfile Secure
  set EditHost "127.0.0.1:{server.port}"
  set EditUser {server.user}
  set EditPassword {server.password}
  set CheckPassword 1
  set ComboProtocol {protocol_index}
  click ButtonAddHost
  select ListBoxHosts 0
  click ListBoxHosts
  set PageControl1 1
  set PageControl2 2
  select FileListBox1 0 1
  click BitBtnAddFile
  set PageControl1 2
  answer Yes
  click Button1
  wait-idle
  click ButtonTransfer
  wait-idle
  dump
  click ButtonDisconnect
  wait-idle
  click BitBtnClose
end
command FTP1Click
dialog TFormFTP
  select ListBoxHosts 0
  click ListBoxHosts
  set PageControl1 2
  click Button1
  wait-idle
  dump
  click ButtonDisconnect
  wait-idle
  click BitBtnClose
end
command FTP1Click
'''
    path = os.path.join(work, "case.qd")
    with open(path, "w") as f:
        f.write(script)
    return path


def run_case(runner, drive, path, failures, what=""):
    """Runs an end-to-end script through the runner (run_case.py); a failed run adds its output to failures."""
    run = subprocess.run([sys.executable, runner, drive, path], capture_output=True, text=True, timeout=300)
    if run.returncode != 0:
        failures.append(what + run.stdout[-6000:] + run.stderr[-2000:])


def clean_up(server, work):
    """Stops the server and removes the test's work folder."""
    server.stop()
    shutil.rmtree(work, ignore_errors=True)


def report(failures, passed):
    """Prints the failures and exits with 1, or prints what passed."""
    if failures:
        print("\n".join(failures))
        sys.exit(1)
    print(passed)
