#!/usr/bin/env python3
"""The FTP screen over SFTP, driven through quillon-drive against an sshd of the test's own: a profile with
the SFTP protocol, the unknown host key shown with its fingerprint and trusted, two files uploaded (checked
byte for byte on the server), the listing, disconnect; then a connection that finds the key known and asks
nothing.   usage: sftp_screen_test.py QUILLON_DRIVE RUN_CASE"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import report, run_case  # noqa: E402
from sftp_fixture import SshServer  # noqa: E402

drive, runner = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-sftpdlg-")
os.chmod(work, 0o755)
server = SshServer(work)
os.environ["HOME"] = os.path.join(work, "client")
os.makedirs(os.environ["HOME"])
os.environ.pop("SSH_AUTH_SOCK", None)
fingerprint = server.fingerprint()
question = ("The server is not known yet. Its host key is:\\r\\n\\r\\nED25519  " + fingerprint +
            "\\r\\n\\r\\nCompare it with the one your host gave you. Trust this key and connect?")
script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/up/\\r\\n"
#! file up/a.html "<P>page a</P>\\r\\n"
#! file up/c.txt "@@70000@@"
#! expect MESSAGE confirm "Brindle Quillon Pro" "{question}" -> Yes
#! dialogdump 1 {{"Label15": {{"text": "Completed sending 2 files."}}, "ListBox2": {{"items": ["a.html", "c.txt"]}}}}
#! dialogdump 2 {{"ListBox2": {{"items": ["a.html", "c.txt"]}}}}
dialog TFormFTP
  set EditProfile Secure
  set EditHost "127.0.0.1:{server.port}"
  set EditUser {server.user}
  set EditPassword {server.password}
  set CheckPassword 1
  set ComboProtocol 3
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
failures = []
try:
    run_case(runner, drive, path, failures)
    for name, data in (("a.html", b"<P>page a</P>\r\n"), ("c.txt", None)):
        stored = os.path.join(server.home, name)
        if not os.path.exists(stored):
            failures.append(f"{name} is not on the server")
        elif data is not None and open(stored, "rb").read() != data:
            failures.append(f"{name} differs on the server")
    if not os.path.exists(os.path.join(os.environ["HOME"], ".ssh", "known_hosts")):
        failures.append("the trusted host key was not added to known_hosts")
finally:
    server.stop()
    os.system(f"rm -rf '{work}'")
report(failures, "the FTP screen over SFTP passed")
