#!/usr/bin/env python3
"""The FTP screen driven through quillon-drive against a real server on 127.0.0.1: a profile added and
selected, connect, a folder made and entered, three files uploaded (checked byte for byte on the server),
rename, delete, disconnect, close; then a refused password and a server that is not there, each ending with
its message and a dialog that still closes.   usage: ftp_manager_test.py QUILLON_DRIVE RUN_CASE SERVER"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import FtpServer, clean_up, local_profile_lines, report, run_case, free_port  # noqa: E402

drive, runner, kind = sys.argv[1], sys.argv[2], sys.argv[3]
work = tempfile.mkdtemp(prefix="quillon-ftpdlg-")
os.chmod(work, 0o755)
server = FtpServer(kind, work)
pages = {"a.html": b"<P>page a</P>\r\n", "b.gif": bytes(range(256)) * 40, "c.txt": b"x" * 70000}

# A password shows in a dump as it shows on screen, never in clear.
masked = "\u25cf" * len(server.password)
script = f'''#! file OPTIONS.INI "[Help]\\r\\nShowTips=0\\r\\n"
#! file DEFAULT.INI "[Start]\\r\\nLocation=@DIR@/up/\\r\\n"
#! file up/a.html "<P>page a</P>\\r\\n"
#! file up/c.txt "@@70000@@"
#! expect MESSAGE info "Brindle Quillon Pro" "Access denied. Check your user ID and password." -> OK
#! expect MESSAGE info "Brindle Quillon Pro" "The server refused the connection. Make sure that you have entered the correct value in setup for your FTP server." -> OK
#! dialogdump 1 {{"Label15": {{"text": "Completed sending 3 files."}}, "ListBox2": {{"items": ["a.html", "b.gif", "c.txt"]}}, "EditPassword": {{"text": "{masked}"}}}}
#! expect MESSAGE info "Brindle Quillon Pro" "The server refused the folder \\"no-such-folder\\". The files shown are those of the folder you logged in to." -> OK
#! dialogdump 2 {{"ListBox1": {{"items": ["..", "site"]}}}}
#! file-is FTP.DAT "Local\\r\\nWrong\\r\\nNobody\\r\\nElsewhere\\r\\n"
dialog TFormFTP
{local_profile_lines(server)}  set EditProfile Wrong
  set EditHost "127.0.0.1:{server.port}"
  set EditUser {server.user}
  set EditPassword wrong-password
  click ButtonAddHost
  set EditProfile Nobody
  set EditHost "127.0.0.1:{free_port()}"
  set EditUser nobody
  set EditPassword none
  set CheckPassword 1
  click ButtonAddHost
  set EditProfile Elsewhere
  set EditHost "127.0.0.1:{server.port}"
  set EditUser {server.user}
  set EditPassword {server.password}
  set EditDir no-such-folder
  click ButtonAddHost
  select ListBoxHosts 0
  click ListBoxHosts
  set PageControl1 1
  set PageControl2 2
  select FileListBox1 0 1 2
  click BitBtnAddFile
  set PageControl1 2
  click Button1
  wait-idle
  click MkDirFTPBtn
  wait-idle
  select ListBox1 1
  dblclick ListBox1
  wait-idle
  click ButtonTransfer
  wait-idle
  select ListBox2 0
  dump
  click ButtonRename
  wait-idle
  select ListBox2 1
  answer Yes
  click ButtonDelete
  wait-idle
  click ButtonDisconnect
  wait-idle
  set PageControl1 0
  select ListBoxHosts 1
  click ListBoxHosts
  set EditPassword wrong-password
  answer OK
  click Button1
  wait-idle
  click BitBtnClose
end
dialog TInputForm
  set Input site
  click ButtonOk
end
dialog TInputForm
  set Input renamed.bin
  click ButtonOk
end
command FTP1Click
dialog TFormFTP
  select ListBoxHosts 2
  click ListBoxHosts
  answer OK
  click Button1
  wait-idle
  click BitBtnClose
end
command FTP1Click
dialog TFormFTP
  select ListBoxHosts 3
  click ListBoxHosts
  answer OK
  click Button1
  wait-idle
  dump
  click ButtonDisconnect
  wait-idle
  click BitBtnClose
end
command FTP1Click
'''
script = script.replace('#! file up/c.txt', '#! file up/b.gif "' + "".join(f"\\x{b:02x}" for b in pages["b.gif"]) +
                        '"\n#! file up/c.txt')
path = os.path.join(work, "case.qd")
with open(path, "w") as f:
    f.write(script)
failures = []
try:
    run_case(runner, drive, path, failures)
    site = os.path.join(server.home, "site")
    names = sorted(os.listdir(site)) if os.path.isdir(site) else []
    # a.html was renamed, then c.txt (the second entry of the new listing) deleted: the binary b.gif and the
    # renamed page are left, and every byte of them is what was sent.
    if names != ["b.gif", "renamed.bin"]:
        failures.append(f"the server's folder holds {names}")
    for name in names:
        data = open(os.path.join(site, name), "rb").read()
        original = pages["a.html"] if name == "renamed.bin" else pages.get(name)
        if data != original:
            failures.append(f"{name} differs on the server")
finally:
    clean_up(server, work)
report(failures, f"{kind}: the FTP screen passed")
