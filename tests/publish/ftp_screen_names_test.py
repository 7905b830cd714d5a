#!/usr/bin/env python3
"""The FTP screen with a file name that is not UTF-8 (caf\\xe9.html), against a server that stores names as
bytes: the file is sent under its own bytes, listed, and Delete (the second of two names shown alike,
sorted after the UTF-8 one) removes that file, never its namesake.
usage: ftp_screen_names_test.py QUILLON_DRIVE RUN_CASE vsftpd"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, local_profile_lines, report, run_case  # noqa: E402

drive, runner, kind = sys.argv[1], sys.argv[2], sys.argv[3]
work = tempfile.mkdtemp(prefix="quillon-ftpnames-")
os.chmod(work, 0o755)
server = FtpServer(kind, work)
# A namesake in UTF-8 on the server must survive the Delete of the Latin-1 file.
namesake = os.path.join(os.fsencode(server.home), "caf\u00e9.html".encode())
with open(namesake, "wb") as f:
    f.write(b"the other file")
os.chown(namesake, os.stat(server.home).st_uid, os.stat(server.home).st_gid)
script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/up/\\r\\n"
#! file up/caf\\xe9.html "<P>latin</P>"
#! dialogdump 1 {{"Label15": {{"text": "Completed sending 1 files."}}}}
dialog TFormFTP
{local_profile_lines(server)}  select ListBoxHosts 0
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
  select ListBox2 1
  answer Yes
  click ButtonDelete
  wait-idle
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
    stored = os.path.join(os.fsencode(server.home), b"caf\xe9.html")
    if os.path.exists(stored):
        failures.append("Delete did not remove the Latin-1 file")
    if not os.path.exists(namesake) or open(namesake, "rb").read() != b"the other file":
        failures.append("the UTF-8 namesake was written over")
finally:
    clean_up(server, work)
report(failures, f"{kind}: names that are not UTF-8 are sent by their bytes")
