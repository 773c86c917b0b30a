#!/usr/bin/python3
"""Starts and stops the FTP servers of the network tests, all on loopback addresses.

  ftp_servers.py start STATE_DIR   pyftpdlib on 127.0.0.1 and [::1] (free ports, home STATE_DIR/home,
                                    one user), Pure-FTPd on 127.0.0.1 (home STATE_DIR/pure-home, the
                                    same account) and the Debian ftp-proxy in front of the IPv4
                                    servers, then STATE_DIR/servers.env with the ports and the account
  ftp_servers.py stop STATE_DIR    ends the processes that start left and removes STATE_DIR
"""
import os
import pwd
import shutil
import subprocess
import sys
import warnings

from server_processes import free_port, greets, launch, stop_all, wait_for, write_atomically

USER = "pictaven"
PASSWORD = "Up-l0ad pw"


def serve(state):
    import fnmatch
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    class GlobbingHandler(FTPHandler):
        """Answers NLST *.* with the matching names, as vsftpd, ProFTPD and Pure-FTPd do."""

        def ftp_NLST(self, path):
            folder, pattern = os.path.split(path)
            if not any(c in pattern for c in "*?[") or self.fs.lexists(path) or not self.fs.isdir(folder):
                return super().ftp_NLST(path)
            names = sorted(n for n in self.run_as_current_user(self.fs.listdir, folder)
                           if fnmatch.fnmatchcase(n, pattern))
            self.push_dtp_data("".join(n + "\r\n" for n in names).encode("utf8"), cmd="NLST")
            return path

    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, os.path.join(state, "home"), perm="elradfmwMT")
    GlobbingHandler.authorizer = authorizer
    # A stuck client must not keep the test run alive for long.
    GlobbingHandler.timeout = 120
    # This server version now and then stops reading commands when sessions with active data
    # connections overlap (and its threaded variant races on this Python), so the tests take
    # turns: see RESOURCE_LOCK in tests/publish/CMakeLists.txt.
    v4 = FTPServer(("127.0.0.1", 0), GlobbingHandler)
    v6 = FTPServer(("::1", 0), GlobbingHandler)
    write_atomically(os.path.join(state, "ftp.ports"),
                     "%d %d\n" % (v4.socket.getsockname()[1], v6.socket.getsockname()[1]))
    # Both servers share the one event loop that serve_forever runs.
    v4.serve_forever()


def start_pure_ftpd(state):
    """Pure-FTPd refuses NLST with a pattern ("550 Can't check for file existence"), unlike pyftpdlib.

    The account is a virtual user in a scratch PureDB, mapped to nobody and shut into its home.
    """
    home = os.path.join(state, "pure-home")
    os.makedirs(home)
    shutil.chown(home, "nobody", "nogroup")
    nobody = pwd.getpwnam("nobody")
    with warnings.catch_warnings():
        # pure-pw would hash with Argon2 at seconds per log-in; a SHA-512 crypt hash is read as well.
        warnings.simplefilter("ignore", DeprecationWarning)
        import crypt
        hashed = crypt.crypt(PASSWORD, crypt.mksalt(crypt.METHOD_SHA512))
    passwd = os.path.join(state, "pure-ftpd.passwd")
    with open(passwd, "w") as out:
        out.write("%s:%s:%d:%d::%s/./::::::::::::\n" % (USER, hashed, nobody.pw_uid, nobody.pw_gid, home))
    database = os.path.join(state, "pure-ftpd.pdb")
    subprocess.run(["/usr/bin/pure-pw", "mkdb", database, "-f", passwd], check=True,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    port = free_port()
    # In the foreground (no -B), so that stop() finds it in the session that launch() started.
    launch(state, "pure-ftpd", ["/usr/sbin/pure-ftpd", "-S", "127.0.0.1,%d" % port, "-l", "puredb:" + database,
                                "-E", "-A", "-H", "-f", "none"])
    wait_for(lambda: greets(port, b"220"), "Pure-FTPd")
    return port, home


def start(state):
    if os.path.isdir(state):
        stop(state)
    os.makedirs(os.path.join(state, "home"))
    launch(state, "ftp", ["/usr/bin/python3", os.path.abspath(__file__), "serve", state])
    ports_file = os.path.join(state, "ftp.ports")
    wait_for(lambda: os.path.exists(ports_file), "the FTP server")
    with open(ports_file) as ports:
        ftp_port, ftp6_port = (int(field) for field in ports.read().split())

    pure_port, pure_home = start_pure_ftpd(state)

    proxy_port = free_port()
    # The proxy (re)creates its log after it has become nobody.
    events_folder = os.path.join(state, "ftp-proxy-events")
    os.makedirs(events_folder)
    shutil.chown(events_folder, "nobody", "nogroup")
    config = os.path.join(state, "ftp-proxy.conf")
    with open(config, "w") as out:
        out.write("\n".join([
            "ServerType standalone",
            "Listen 127.0.0.1",
            "Port %d" % proxy_port,
            "DestinationAddress 127.0.0.1",
            "DestinationPort %d" % ftp_port,
            # The user name may name the server as user@host:port (the Pure-FTPd tests do).
            "AllowMagicUser yes",
            "ForkLimit 500",
            "TimeOut 120",
            # As root it would connect to active clients from port 20, which Pure-FTPd's own
            # active connection to the proxy already holds on 127.0.0.1.
            "User nobody",
            "Group nogroup",
            "LogDestination " + os.path.join(events_folder, "events.log"),
            "PidFile " + os.path.join(state, "ftp-proxy-daemon.pid"),
            "",
        ]))
    proxy_binary = shutil.which("ftp-proxy") or "/usr/sbin/ftp-proxy"
    launch(state, "proxy", [proxy_binary, "-d", "-n", "-f", config])
    wait_for(lambda: greets(proxy_port, b"220"), "ftp-proxy")

    write_atomically(os.path.join(state, "servers.env"), "".join("%s=%s\n" % pair for pair in [
        ("FTP_PORT", ftp_port), ("FTP6_PORT", ftp6_port), ("PROXY_PORT", proxy_port),
        ("FTP_USER", USER), ("FTP_PASSWORD", PASSWORD), ("FTP_HOME", os.path.join(state, "home")),
        ("PURE_PORT", pure_port), ("PURE_HOME", pure_home),
    ]))


def stop(state):
    stop_all(state, ("proxy", "pure-ftpd", "ftp"))


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop", "serve"):
        raise SystemExit(__doc__)
    {"start": start, "stop": stop, "serve": serve}[sys.argv[1]](os.path.abspath(sys.argv[2]))
