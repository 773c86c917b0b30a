"""What the server fixtures of the network tests share: background processes that each lead a
session of their own, remembered by pid files in a state folder, and waits that give up."""
import os
import shutil
import signal
import socket
import subprocess
import time

WAIT_SECONDS = 15


def write_atomically(path, text):
    with open(path + ".tmp", "w") as out:
        out.write(text)
    os.rename(path + ".tmp", path)


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_for(condition, what):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.1)
    raise SystemExit("timed out waiting for " + what)


def greets(port, greeting):
    """True when a server on 127.0.0.1:port answers a connection with `greeting` (bytes)."""
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1) as connection:
            return connection.recv(len(greeting)).startswith(greeting)
    except OSError:
        return False


def launch(state, name, command, env=None):
    log = open(os.path.join(state, name + ".log"), "ab")
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                               start_new_session=True, env=env)
    write_atomically(os.path.join(state, name + ".pid"), "%d\n" % process.pid)
    return process


def stop_all(state, names):
    """Ends the sessions that launch() started under `names`, in that order, and removes `state`."""
    for name in names:
        try:
            with open(os.path.join(state, name + ".pid")) as pid_file:
                pid = int(pid_file.read())
        except (OSError, ValueError):
            continue
        # The whole session: servers fork their children for connections into it.
        try:
            os.killpg(pid, signal.SIGTERM)
        except ProcessLookupError:
            continue
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            try:
                os.killpg(pid, 0)
            except ProcessLookupError:
                break
            time.sleep(0.1)
        else:
            try:
                os.killpg(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
    shutil.rmtree(state, ignore_errors=True)


def make_certificate(folder, name="localhost"):
    """A self-signed certificate for the host name `name` only, in folder/cert.pem and key.pem.

    Returns the two paths and "SHA256:" with the hex SHA-256 of the certificate in DER form, as
    the program shows fingerprints."""
    import hashlib
    import ssl
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "2", "-subj", "/CN=" + name, "-addext", "subjectAltName=DNS:" + name],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(cert) as pem:
        return cert, key, "SHA256:" + hashlib.sha256(ssl.PEM_cert_to_DER_cert(pem.read())).hexdigest()


def announce(state, server, user, password, fingerprint):
    """Writes state/ready, which the tests wait for: the server's port, the account and the
    certificate's fingerprint, one a line."""
    write_atomically(os.path.join(state, "ready"), "%d\n%s\n%s\n%s\n" % (
        server.socket.getsockname()[1], user, password, fingerprint))
