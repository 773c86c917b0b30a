#!/usr/bin/python3
"""pyftpdlib's explicit-TLS server on 127.0.0.1, for the FTPS tests.

  ftps_server.py DIR [NAME]
                       makes DIR/cert.pem and DIR/key.pem (self-signed, for the host name NAME
                       only, localhost by default), serves DIR/home to one user with TLS required on the control and
                       data connections, and then writes DIR/ready: the port, the user, the
                       password and "SHA256:" with the certificate's hex fingerprint, one a line.
                       Like vsftpd by default, it hands out single-use TLS 1.3 sessions and refuses
                       a data connection that does not resume the control connection's session.
                       Runs until it is killed.
"""
import fnmatch
import os
import sys

from server_processes import announce, make_certificate

USER = "pictaven"
PASSWORD = "Tls pw 7"


def main(state, name):
    from OpenSSL import SSL
    from OpenSSL._util import lib as openssl
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
    from pyftpdlib.servers import FTPServer

    class ReuseRequiringDtpHandler(TLS_DTPHandler):
        closeWhenEstablished = False

        def handle_ssl_established(self):
            if not openssl.SSL_session_reused(self.socket._ssl):
                self.cmd_channel.respond("522 SSL connection failed: session reuse required")
                self.close()
                return
            super().handle_ssl_established()
            if self.closeWhenEstablished:
                self.close()

        def close(self):
            # pyftpdlib closes the data connection of an empty listing while the handshake still
            # runs; OpenSSL then drops the session from its cache and every later data connection
            # would be refused. vsftpd finishes the handshake first, and so does this server.
            if self._ssl_accepting and not self._error:
                self.closeWhenEstablished = True
                return
            super().close()

    class GlobbingTlsHandler(TLS_FTPHandler):
        """Answers NLST *.* with the matching names, as vsftpd, ProFTPD and Pure-FTPd do."""

        def ftp_NLST(self, path):
            folder, pattern = os.path.split(path)
            if not any(c in pattern for c in "*?[") or self.fs.lexists(path) or not self.fs.isdir(folder):
                return super().ftp_NLST(path)
            names = sorted(n for n in self.run_as_current_user(self.fs.listdir, folder)
                           if fnmatch.fnmatchcase(n, pattern))
            self.push_dtp_data("".join(n + "\r\n" for n in names).encode("utf8"), cmd="NLST")
            return path

    cert, key, fingerprint = make_certificate(state, name)

    home = os.path.join(state, "home")
    os.makedirs(home, exist_ok=True)
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, home, perm="elradfmwMT")
    handler = GlobbingTlsHandler
    handler.certfile = cert
    handler.keyfile = key
    handler.authorizer = authorizer
    handler.tls_control_required = True
    handler.tls_data_required = True
    handler.dtp_handler = ReuseRequiringDtpHandler
    # Stateful sessions instead of tickets: OpenSSL then lets each TLS 1.3 session be resumed once.
    handler.ssl_options = SSL.OP_NO_TICKET
    handler.get_ssl_context().set_session_id(b"pictaven-tests")
    handler.timeout = 120
    server = FTPServer(("127.0.0.1", 0), handler)
    announce(state, server, USER, PASSWORD, fingerprint)
    server.serve_forever()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "localhost")
