"""SMTP server on the loopback for the e-mail tests (aiosmtpd): python3 servidor_smtp.py PASTA

Prints the free port it listens on, then keeps every message it accepts as
PASTA/N.json (N = 1, 2, ...): envelope, raw message and what a mail program
reads in it. Recipients beginning with "recusado" are refused.
"""

import asyncio
import base64
import email
import email.policy
import json
import os
import socket
import sys

from aiosmtpd.smtp import SMTP


class Guarda:
    def __init__(self, pasta):
        self.pasta = pasta
        self.n = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("recusado"):
            return "550 5.1.1 Destinatario recusado"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        msg = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        partes = [p for p in msg.walk() if not p.is_multipart()]
        self.n += 1
        registro = {
            "helo": session.host_name,
            "de": envelope.mail_from,
            "para": envelope.rcpt_tos,
            "bruta": envelope.original_content.decode("latin-1"),
            "cabecalhos": [[k, str(v)] for k, v in msg.items()],
            "texto": next((p.get_content() for p in partes
                           if not p.get_filename() and p.get_content_type() == "text/html"), None),
            "anexos": [{"nome": p.get_filename(), "tipo": p.get_content_type(),
                        "dados": base64.b64encode(p.get_payload(decode=True)).decode()}
                       for p in partes if p.get_filename()],
            "defeitos": [str(d) for d in msg.defects],
        }
        caminho = os.path.join(self.pasta, "%d.json" % self.n)
        with open(caminho + ".tmp", "w", encoding="utf-8") as f:
            json.dump(registro, f, ensure_ascii=False)
        os.replace(caminho + ".tmp", caminho)
        return "250 2.0.0 Mensagem %d aceita" % self.n


async def principal(pasta):
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    sock.listen(8)
    servidor = await asyncio.get_running_loop().create_server(lambda: SMTP(Guarda(pasta), decode_data=False), sock=sock)
    print(sock.getsockname()[1], flush=True)
    async with servidor:
        await servidor.serve_forever()


if __name__ == "__main__":
    asyncio.run(principal(sys.argv[1]))
