#!/usr/bin/env python3
"""A server that drops the first listing's or upload's data connection during its TLS handshake (as a busy
server can, when it has finished the listing before the handshake), or leaves it hanging there (as one can
that waits for an event it has missed): quillon-ftp asks for the listing or sends the upload once more and
gets it through, instead of giving up.   usage: ftps_dropped_data_tls_test.py QUILLON_FTP"""
import os
import socket
import ssl
import subprocess
import sys
import tempfile
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ftp_fixture import certificate_fingerprint, make_certificate  # noqa: E402

tool = sys.argv[1]
work = tempfile.mkdtemp(prefix="quillon-ftps-drop-")
cert = os.path.join(work, "cert.pem")
make_certificate(cert, "127.0.0.1")
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert)
listings = []
stores = []
stored = {}
behaviour = "drop"


def fail_first(client):
    if behaviour == "drop":
        client.close()  # dropped before the handshake is done
        return
    client.settimeout(30)  # stalled: the handshake is never answered, until the client gives up on it
    try:
        while client.recv(4096):
            pass
    except OSError:
        pass
    client.close()


def serve(conn):
    buffer = b""

    def line():
        nonlocal buffer
        while b"\r\n" not in buffer:
            got = conn.recv(4096)
            if not got:
                return None
            buffer += got
        text, buffer = buffer.split(b"\r\n", 1)
        return text.decode()

    def say(text):
        conn.sendall(text.encode() + b"\r\n")

    say("220 ready")
    data = None
    while (command := line()) is not None:
        verb = command.split(" ")[0].upper()
        if verb == "AUTH":
            say("234 go ahead")
            conn = context.wrap_socket(conn, server_side=True)
        elif verb in ("PBSZ", "PROT", "TYPE"):
            say("200 ok")
        elif verb == "USER":
            say("331 password")
        elif verb == "PASS":
            say("230 in")
        elif verb == "SYST":
            say("215 UNIX Type: L8")
        elif verb == "PWD":
            say('257 "/" is the current directory')
        elif verb == "EPSV":
            data = socket.socket()
            data.bind(("127.0.0.1", 0))
            data.listen(1)
            say("229 Entering Extended Passive Mode (|||%d|)" % data.getsockname()[1])
        elif verb in ("LIST", "MLSD"):
            listings.append(verb)
            client, _ = data.accept()
            data.close()
            say("150 here it comes")
            if len(listings) == 1:
                fail_first(client)
            else:
                secure = context.wrap_socket(client, server_side=True)
                secure.sendall(b"-rw-r--r-- 1 u g 5 Jan 01 00:00 odd.bin\r\n")
                try:
                    secure.unwrap()  # the TLS close, so the end of the listing is not taken for a cut
                except (ssl.SSLError, OSError):
                    pass
                secure.close()
            say("226 done" if len(listings) > 1 or behaviour == "drop" else "426 the data connection was closed")
        elif verb == "STOR":
            stores.append(command[5:])
            client, _ = data.accept()
            data.close()
            say("150 send it")
            if len(stores) == 1:
                fail_first(client)
            else:
                secure = context.wrap_socket(client, server_side=True)
                received = b""
                while chunk := secure.recv(65536):
                    received += chunk
                stored[command[5:]] = received
                try:
                    secure.unwrap()
                except (ssl.SSLError, OSError):
                    pass
                secure.close()
            say("226 stored" if len(stores) > 1 or behaviour == "drop" else "426 the data connection was closed")
        elif verb == "QUIT":
            say("221 bye")
            break
        else:
            say("502 not here")
    conn.close()


def quillon_ftp(*args):
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    threading.Thread(target=lambda: serve(listener.accept()[0]), daemon=True).start()
    return subprocess.run([tool, "--timeout", "10", "--no-temp-names", "--protocol", "ftps", "--mode", "passive", "--port",
                           str(listener.getsockname()[1]), "--user", "u", "--password", "p", "--trust",
                           certificate_fingerprint(cert), "127.0.0.1", *args],
                          capture_output=True, text=True, timeout=60, stdin=subprocess.DEVNULL)


problems = []
upload = os.path.join(work, "page.html")
with open(upload, "wb") as f:
    f.write(b"<p>sent whole</p>\r\n" * 1000)
for behaviour in ("drop", "stall"):
    listings.clear()
    stores.clear()
    stored.clear()
    put = quillon_ftp("put", upload)
    if put.returncode != 0 or stored.get("page.html") != open(upload, "rb").read() or len(stores) != 2:
        problems.append(f"{behaviour}: upload: exit {put.returncode}, {len(stores)} STORs, stored {list(stored)}: "
                        f"{put.stderr[-800:]}")
    run = quillon_ftp("ls", "--names")
    if run.returncode != 0 or run.stdout.split() != ["odd.bin"]:
        problems.append(f"{behaviour}: exit {run.returncode}, listing {run.stdout!r}: {run.stderr[-800:]}")
    if len(listings) != 2:
        problems.append(f"{behaviour}: {len(listings)} listings were asked for, not 2")
for p in problems:
    print("FAIL:", p)
sys.exit(1 if problems else 0)
