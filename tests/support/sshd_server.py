#!/usr/bin/python3
"""Starts and stops the OpenSSH server of the SFTP tests, on loopback only.

  sshd_server.py start STATE_DIR   sshd on 127.0.0.1 and a free port, as the running user, whose
                                    SFTP sessions start in STATE_DIR/home; a host key, a user key
                                    that it accepts and one that it does not, an ssh-agent holding
                                    the accepted key, then STATE_DIR/sshd.env with what the tests
                                    need to know
  sshd_server.py stop STATE_DIR    ends the processes that start left and removes STATE_DIR

A password is never accepted: as root, sshd refuses root's password by its default rule, and as
anyone else it cannot read the system's passwords. The password tests only see refusals.
"""
import base64
import hashlib
import os
import pwd
import subprocess
import sys

from server_processes import free_port, greets, launch, stop_all, wait_for, write_atomically


def make_key(path):
    subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-C", "pictaven-test", "-f", path],
                   check=True, stdin=subprocess.DEVNULL)
    with open(path + ".pub") as public:
        return public.read().strip()


def fingerprint(public_line):
    """"SHA256:" and the hex SHA-256 of the key blob, as the program shows host keys."""
    return "SHA256:" + hashlib.sha256(base64.b64decode(public_line.split()[1])).hexdigest()


def start(state):
    if os.path.isdir(state):
        stop(state)
    home = os.path.join(state, "home")
    os.makedirs(home)
    host_key = os.path.join(state, "host_ed25519")
    host_public = make_key(host_key)
    other_public = make_key(os.path.join(state, "other_host_ed25519"))
    user_key = os.path.join(state, "user_ed25519")
    write_atomically(os.path.join(state, "authorized_keys"), make_key(user_key) + "\n")
    stranger_key = os.path.join(state, "stranger_ed25519")
    make_key(stranger_key)

    if os.getuid() == 0:
        # The privilege separation folder that the package's service would make.
        os.makedirs("/run/sshd", mode=0o755, exist_ok=True)
    user = pwd.getpwuid(os.getuid()).pw_name
    port = free_port()
    config = os.path.join(state, "sshd_config")
    with open(config, "w") as out:
        out.write("\n".join([
            "ListenAddress 127.0.0.1",
            "Port %d" % port,
            "HostKey " + host_key,
            "PidFile " + os.path.join(state, "sshd-daemon.pid"),
            "AuthorizedKeysFile " + os.path.join(state, "authorized_keys"),
            "AllowUsers " + user,
            "UsePAM no",
            "StrictModes no",
            "UseDNS no",
            "PasswordAuthentication yes",
            "KbdInteractiveAuthentication no",
            "PermitRootLogin prohibit-password",
            "MaxStartups 50",
            "LogLevel VERBOSE",
            "Subsystem sftp internal-sftp -d " + home,
            "",
        ]))
    launch(state, "sshd", ["/usr/sbin/sshd", "-D", "-e", "-f", config])
    wait_for(lambda: greets(port, b"SSH-"), "sshd")

    agent_socket = os.path.join(state, "agent.sock")
    launch(state, "agent", ["ssh-agent", "-D", "-a", agent_socket])
    wait_for(lambda: os.path.exists(agent_socket), "ssh-agent")
    subprocess.run(["ssh-add", "-q", user_key], check=True, stdin=subprocess.DEVNULL,
                   env=dict(os.environ, SSH_AUTH_SOCK=agent_socket))

    write_atomically(os.path.join(state, "sshd.env"), "".join("%s=%s\n" % pair for pair in [
        ("SSH_PORT", port), ("SSH_USER", user), ("SSH_HOME", home),
        ("HOST_FINGERPRINT", fingerprint(host_public)),
        ("OTHER_HOST_KEY", other_public), ("OTHER_HOST_FINGERPRINT", fingerprint(other_public)),
        ("USER_KEY", user_key), ("STRANGER_KEY", stranger_key), ("AGENT_SOCKET", agent_socket),
    ]))


def stop(state):
    stop_all(state, ("agent", "sshd"))


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        raise SystemExit(__doc__)
    {"start": start, "stop": stop}[sys.argv[1]](os.path.abspath(sys.argv[2]))
