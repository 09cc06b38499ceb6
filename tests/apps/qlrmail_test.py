"""QLRMail end to end: one `QLRMail --once` against a real SMTP server on
127.0.0.1 (aiosmtpd) that refuses one recipient, then what the server received
and what is left in the folder. Deferral, attachment deletion and rejected
files are tested with a fake sender (qlrmail_sweep_test.cc).

usage: qlrmail_test.py QLRMAIL
"""

import email
import email.policy
import os
import socket
import subprocess
import sys
import tempfile

from aiosmtpd.controller import Controller

ATTACHMENT = bytes(range(256))  # every byte value


class Recorder:
    """Keeps every accepted message; refuses any recipient refuse@..."""

    def __init__(self):
        self.messages = []

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("refuse@"):
            return "550 5.1.1 mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.messages.append((envelope.mail_from, envelope.rcpt_tos, envelope.content))
        return "250 Message accepted for delivery"


def write(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content if isinstance(content, bytes)
                else "".join(line + "\r\n" for line in content).encode("cp1252"))


def run_once(qlrmail, root, port):
    """Sends a folder of two messages; the exit status and the files left."""
    att, mail = os.path.join(root, "att", "UFN063005.data.bin"), os.path.join(root, "mail")
    write(att, ATTACHMENT)
    write(os.path.join(mail, "PAYx0000.eml"), [
        "TO=ops@example.com", "TO=Could not generate email address for BOB.",
        "CC=Big Boss <boss@example.com>", "SUBJ=Job PAY failed at the caf\xe9",
        "BODY=First line~", "BODY=~", "ATT=" + att + ",DEL=YES", "BODY=Price 5 \u20ac~"])
    write(os.path.join(mail, "REFx0000.eml"), ["TO=refuse@example.com", "SUBJ=Refused"])
    # The folder is the INI file's EmailPath, relative to the INI file.
    ini = os.path.join(root, "night.ini")
    write(ini, ["[Quillrun]", "ScheduleName=NIGHT", "EmailPath=mail"])
    run = subprocess.run([qlrmail, "--ini", ini, "--smtp", "smtp://127.0.0.1:%d" % port,
                          "--from", "Quillrun <qlr@example.com>", "--once"],
                         capture_output=True, text=True, timeout=120)
    print(run.stdout, run.stderr, sep="")
    return run.returncode, sorted(os.listdir(mail))


def received(messages):
    """What the server got, keyed as the expectations are."""
    if len(messages) != 1:
        return {"messages": len(messages)}
    sender, recipients, raw = messages[0]
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    return {"messages": 1, "envelope": (sender, recipients), "subject": msg["Subject"],
            "headers": (msg["To"], msg["Cc"]),
            "body": msg.get_body(preferencelist=("plain",)).get_content().splitlines(),
            "attachments": {p.get_filename(): p.get_content() for p in msg.iter_attachments()}}


def main():
    recorder = Recorder()
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    controller = Controller(recorder, hostname="127.0.0.1", port=port)
    controller.start()
    try:
        with tempfile.TemporaryDirectory() as root:
            status, left = run_once(sys.argv[1], root, port)
    finally:
        controller.stop()
    got = dict(received(recorder.messages), status=status, left=left)
    expected = {
        "status": 0, "messages": 1, "left": ["REFx0000.eml"],  # the refused one stays
        "envelope": ("qlr@example.com", ["ops@example.com", "boss@example.com"]),
        "subject": "Job PAY failed at the caf\u00e9",
        "headers": ("ops@example.com", "Big Boss <boss@example.com>"),
        "body": ["First line", "", "Price 5 \u20ac"],
        "attachments": {"data.bin": ATTACHMENT},
    }
    failures = [key for key in expected if got.get(key) != expected[key]]
    for key in failures:
        print("FAILED: %s: %.200r, expected %.200r" % (key, got.get(key), expected[key]))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
