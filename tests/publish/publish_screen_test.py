#!/usr/bin/env python3
"""Publish Site through quillon-drive against pyftpdlib: the FTP screen's button opens it over the
connection, Compare lists the new files ticked, Send puts the ticked ones on the server byte for byte (one
is unticked first); then the main window's Publish Site command connects and finds only that one left.
usage: publish_screen_test.py QUILLON_DRIVE RUN_CASE"""
import json
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, local_profile_lines, report, run_case  # noqa: E402

drive, runner = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="quillon-publishdlg-")
os.chmod(work, 0o755)
server = FtpServer("pyftpdlib", work)
os.makedirs(os.path.join(server.home, "www"))
compared = {"TreeChanges": {"pages": [
    {"title": "New", "level": 1, "checked": True},
    {"title": "img/a b.gif", "level": 2, "checked": True},
    {"title": "index.html", "level": 2, "checked": True}]},
    "LabelCount": {"text": "2 new (3 KB), 0 changed (0 KB), 0 conflicts, 0 only on the server, 0 unchanged"}}
script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/site/\\r\\n"
#! file site/index.html "<P>home</P>\\r\\n"
#! file site/img/a\\x20b.gif "GIF89a@@3000@@"
#! file site/.hidden "never sent"
#! dialogdump 1 {json.dumps(compared)}
#! dialogdump 2 {{"LabelCount": {{"text": "Sent 1 file."}}, "ProgressBar": {{"shown": 1}}}}
#! dialogdump 3 {{"TreeChanges": {{"pages": [{{"title": "New", "level": 1, "checked": true}}, {{"title": "index.html", "level": 2, "checked": true}}]}}}}
dialog TFormFTP
{local_profile_lines(server)}  select ListBoxHosts 0
  click ListBoxHosts
  set PageControl1 2
  click Button1
  wait-idle
  click ButtonPublish
  wait-idle
  click ButtonDisconnect
  wait-idle
  click BitBtnClose
end
dialog TFormPublish
  set EditLocalFolder @DIR@/site
  set EditRemoteFolder www
  click ButtonCompare
  wait-idle
  dump
  outline 3
  key Space
  click ButtonSend
  wait-idle
  dump
  click ButtonClose
end
command FTP1Click
dialog TFormFTP
  select ListBoxHosts 0
  click ListBoxHosts
  set PageControl1 2
  click Button1
  wait-idle
  click ButtonDisconnect
  wait-idle
  click BitBtnClose
end
dialog TFormPublish
  set EditLocalFolder @DIR@/site
  set EditRemoteFolder www
  click ButtonCompare
  wait-idle
  dump
  click ButtonClose
end
command PublishSite1Click
'''
path = os.path.join(work, "case.qd")
with open(path, "w") as f:
    f.write(script)
failures = []
try:
    run_case(runner, drive, path, failures)
    stored = os.path.join(server.home, "www", "img", "a b.gif")
    if not os.path.exists(stored) or open(stored, "rb").read() != b"GIF89a" + b"x" * 3000:
        failures.append("img/a b.gif did not arrive whole")
    if os.path.exists(os.path.join(server.home, "www", "index.html")):
        failures.append("an unticked file was sent")
    if os.path.exists(os.path.join(server.home, "www", ".hidden")):
        failures.append("a hidden file was published")
finally:
    clean_up(server, work)
report(failures, "Publish Site from the FTP screen and the main window passed")
