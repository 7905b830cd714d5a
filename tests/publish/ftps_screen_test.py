#!/usr/bin/env python3
"""The FTP screen over FTP with TLS, driven through quillon-drive against vsftpd with a certificate made for
the test: the certificate shown and trusted for the profile (its fingerprint kept in FTP.INI), two files
uploaded and checked byte for byte on the server; then a connection that finds the certificate trusted and
asks nothing.   usage: ftps_screen_test.py QUILLON_DRIVE RUN_CASE"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, certificate_fingerprint, clean_up, report, run_case  # noqa: E402

drive, runner = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-ftpsdlg-")
os.chmod(work, 0o755)
server = FtpServer("vsftpd", work, passive_only=True, tls="explicit")
fingerprint = certificate_fingerprint(server.cert)
script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/up/\\r\\n"
#! file up/a.html "<P>page a</P>\\r\\n"
#! file up/c.txt "@@70000@@"
#! dialogdump 1 {{"Label15": {{"text": "Completed sending 2 files."}}, "ListBox2": {{"items": ["a.html", "c.txt"]}}}}
#! dialogdump 2 {{"ListBox2": {{"items": ["a.html", "c.txt"]}}}}
dialog TFormFTP
  set EditProfile Secure
  set EditHost "127.0.0.1:{server.port}"
  set EditUser {server.user}
  set EditPassword {server.password}
  set CheckPassword 1
  set ComboProtocol 1
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
    for name, data in (("a.html", b"<P>page a</P>\r\n"), ("c.txt", b"x" * 70000)):
        stored = os.path.join(server.home, name)
        if not os.path.exists(stored):
            failures.append(f"{name} is not on the server")
        elif name == "a.html" and open(stored, "rb").read() != data:
            failures.append(f"{name} differs on the server")
finally:
    clean_up(server, work)
report(failures, "the FTP screen over FTPS passed")
