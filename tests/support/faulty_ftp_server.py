#!/usr/bin/python3
"""A pyftpdlib server on 127.0.0.1 that misbehaves on purpose, for the upload's failure tests.

  faulty_ftp_server.py DIR FAULT NAME [BYTES [TIMES]]
      serves DIR/home to one user and writes DIR/ready (port, user, password, one a line) once
      it listens; runs until it is killed. FAULT concerns the uploads of files whose name begins
      with NAME:
        drop   the first TIMES transfers, resumed ones too, are cut, control connection and
               all, once BYTES bytes of the transfer have arrived (what arrived stays on disk)
        lie    listings report one byte more than such a file holds
        full   STOR answers 552, as a server with a full disk does
"""
import logging
import os
import re
import sys

USER = "pictaven"
PASSWORD = "Faulty pw 3"


def main(state, fault, name, limit=0, times=0):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import DTPHandler, FTPHandler
    from pyftpdlib.servers import FTPServer

    cuts_left = [times]

    class CuttingDTPHandler(DTPHandler):
        def handle_read(self):
            super().handle_read()
            control = self.cmd_channel
            if getattr(control, "cut_this_transfer", False) and self.tot_bytes_received >= limit:
                control.cut_this_transfer = False
                cuts_left[0] -= 1
                self.file_obj.flush()
                control.close()

        # The base class reads through this alias of its own handle_read.
        handle_read_event = handle_read

    class LyingFS(AbstractedFS):
        def format_mlsx(self, basedir, listing, perms, facts, ignore_err=True):
            for line in super().format_mlsx(basedir, listing, perms, facts, ignore_err):
                if line.split(b"; ", 1)[-1].startswith(name.encode()):
                    line = re.sub(rb"size=(\d+);", lambda m: b"size=%d;" % (int(m.group(1)) + 1), line)
                yield line

    class FaultyHandler(FTPHandler):
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
    logging.basicConfig(filename=os.path.join(state, "server.log"), level=logging.INFO)
    server = FTPServer(("127.0.0.1", 0), FaultyHandler)
    ready = os.path.join(state, "ready")
    with open(ready + ".tmp", "w") as out:
        out.write("%d\n%s\n%s\n" % (server.socket.getsockname()[1], USER, PASSWORD))
    os.replace(ready + ".tmp", ready)
    server.serve_forever()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3], *(int(arg) for arg in sys.argv[4:]))
