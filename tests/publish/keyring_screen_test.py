#!/usr/bin/env python3
"""The FTP screen with a desktop keyring running (run inside with_keyring.sh): a profile saved with its
password keeps it in the keyring, not in FTP.INI, says so, and connects later without the password being
typed again.   usage: keyring_screen_test.py QUILLON_DRIVE RUN_CASE"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, local_profile_lines, report, run_case  # noqa: E402

drive, runner = sys.argv[1], sys.argv[2]
if not os.environ.get("QUILLON_KEYRING_TEST"):
    print("needs a keyring of the test's own (with_keyring.sh)")
    sys.exit(77)
work = tempfile.mkdtemp(prefix="quillon-keyring-")
os.chmod(work, 0o755)
server = FtpServer("pyftpdlib", work)
ini = (f"[Local]\\r\\nProfile=Local\\r\\nHost=127.0.0.1:{server.port}\\r\\nUser={server.user}\\r\\nPassword=\\r\\n"
       "Account=\\r\\nDirectory=\\r\\nPasswordIn=Keyring\\r\\n")
script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/up/\\r\\n"
#! file up/a.html "<P>page a</P>\\r\\n"
#! dialogdump 1 {{"LabelPasswordPlace": {{"text": "A saved password is kept in the desktop's keyring."}}}}
#! dialogdump 2 {{"Label15": {{"text": "Completed sending 1 files."}}}}
#! file-is FTP.INI "{ini}"
dialog TFormFTP
{local_profile_lines(server)}  dump
  click BitBtnClose
end
command FTP1Click
dialog TFormFTP
  select ListBoxHosts 0
  click ListBoxHosts
  set PageControl1 1
  set PageControl2 2
  select FileListBox1 0
  click BitBtnAddFile
  set PageControl1 2
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
'''
path = os.path.join(work, "case.qd")
with open(path, "w") as f:
    f.write(script)
failures = []
try:
    run_case(runner, drive, path, failures)
    stored = os.path.join(server.home, "a.html")
    if not os.path.exists(stored) or open(stored, "rb").read() != b"<P>page a</P>\r\n":
        failures.append("the page did not arrive whole: the saved password was not used")
finally:
    clean_up(server, work)
report(failures, "a password saved in the keyring stays out of FTP.INI and logs in")
