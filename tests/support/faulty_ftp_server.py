#!/usr/bin/python3
"""A pyftpdlib server on 127.0.0.1 that misbehaves on purpose, for the upload's failure tests.

  faulty_ftp_server.py [--tls] DIR FAULT NAME [BYTES [TIMES]]
      serves DIR/home to one user and writes DIR/ready (port, user, password, one a line, and
      with --tls "SHA256:" and the certificate's hex fingerprint) once it listens; runs until it
      is killed. With --tls, control and data connections must use TLS, with a self-signed
      certificate for localhost. FAULT concerns the uploads of files whose name begins with NAME:
        drop   the first TIMES transfers, resumed ones too, are cut, control connection and
               all, once BYTES bytes of the transfer have arrived (what arrived stays on disk)
        lie    listings report one byte more than such a file holds
        full   STOR answers 552, as a server with a full disk does
"""
import logging
import os
import re
import sys

from server_processes import announce, make_certificate

USER = "pictaven"
PASSWORD = "Faulty pw 3"


def main(tls, state, fault, name, limit=0, times=0):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import DTPHandler, FTPHandler, TLS_DTPHandler, TLS_FTPHandler
    from pyftpdlib.servers import FTPServer

    cuts_left = [times]

    class CuttingDTPHandler(TLS_DTPHandler if tls else DTPHandler):
        # The data arrive through this event (handle_read is not called by name).
        def handle_read_event(self):
            super().handle_read_event()
            control = self.cmd_channel
            if getattr(control, "cut_this_transfer", False) and self.tot_bytes_received >= limit:
                control.cut_this_transfer = False
                cuts_left[0] -= 1
                self.file_obj.flush()
                control.close()

    class LyingFS(AbstractedFS):
        def format_mlsx(self, basedir, listing, perms, facts, ignore_err=True):
            for line in super().format_mlsx(basedir, listing, perms, facts, ignore_err):
                if line.split(b"; ", 1)[-1].startswith(name.encode()):
                    line = re.sub(rb"size=(\d+);", lambda m: b"size=%d;" % (int(m.group(1)) + 1), line)
                yield line

    class FaultyHandler(TLS_FTPHandler if tls else FTPHandler):
        def ftp_STOR(self, file, mode="w"):
            if os.path.basename(file).startswith(name):
                if fault == "full":
                    self.respond("552 Disk full, no room for this file.")
                    return None
                if fault == "drop" and cuts_left[0] > 0:
                    self.cut_this_transfer = True
            return super().ftp_STOR(file, mode)

    home = os.path.join(state, "home")
    os.makedirs(home, exist_ok=True)
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, home, perm="elradfmwMT")
    FaultyHandler.authorizer = authorizer
    FaultyHandler.dtp_handler = CuttingDTPHandler
    if fault == "lie":
        FaultyHandler.abstracted_fs = LyingFS
    FaultyHandler.timeout = 120
    fingerprint = ""
    if tls:
        cert, key, fingerprint = make_certificate(state)
        FaultyHandler.certfile = cert
        FaultyHandler.keyfile = key
        FaultyHandler.tls_control_required = True
        FaultyHandler.tls_data_required = True
    logging.basicConfig(filename=os.path.join(state, "server.log"), level=logging.INFO)
    server = FTPServer(("127.0.0.1", 0), FaultyHandler)
    announce(state, server, USER, PASSWORD, fingerprint)
    server.serve_forever()


if __name__ == "__main__":
    args = sys.argv[1:]
    tls = args[:1] == ["--tls"]
    if tls:
        args = args[1:]
    main(tls, args[0], args[1], args[2], *(int(arg) for arg in args[3:]))
