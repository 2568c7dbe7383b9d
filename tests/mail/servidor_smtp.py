"""SMTP server on the loopback for the e-mail tests (aiosmtpd):

    python3 servidor_smtp.py PASTA [--modo simples|starttls|ssl] [--certificado C --chave K]
                             [--usuario U --senha S]

Prints the free port it listens on, then keeps every message it accepts as
PASTA/N.json (N = 1, 2, ...): envelope, raw message, what a mail program
reads in it, whether it came encrypted and who logged in. Recipients
beginning with "recusado" are refused.

--modo starttls offers STARTTLS and, with a user, requires the login (over
TLS only); --modo ssl speaks TLS from the first byte and, with a user,
requires the login; --modo simples (the default) with a user offers the
login in the clear without requiring it. Each login attempt is appended to
PASTA/autenticacoes.txt as "MECANISMO usuario ok|recusado".
"""

import argparse
import asyncio
import base64
import email
import email.policy
import json
import os
import socket
import ssl

from aiosmtpd.smtp import SMTP, AuthResult


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
            "opcoes": envelope.mail_options,
            "para": envelope.rcpt_tos,
            "cifrada": server.transport.get_extra_info("ssl_object") is not None,
            "usuario": session.auth_data.login.decode() if session.authenticated else None,
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


class Autenticador:
    def __init__(self, pasta, usuario, senha):
        self.arquivo = os.path.join(pasta, "autenticacoes.txt")
        self.usuario = usuario.encode()
        self.senha = senha.encode()

    def __call__(self, server, session, envelope, mechanism, auth_data):
        ok = auth_data.login == self.usuario and auth_data.password == self.senha
        with open(self.arquivo, "a", encoding="utf-8") as f:
            f.write("%s %s %s\n" % (mechanism, auth_data.login.decode(), "ok" if ok else "recusado"))
        return AuthResult(success=ok, handled=False, auth_data=auth_data)


async def principal(a):
    contexto = None
    if a.certificado:
        contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        contexto.load_cert_chain(a.certificado, a.chave)
    opcoes = {"decode_data": False}
    if a.usuario:
        opcoes["authenticator"] = Autenticador(a.pasta, a.usuario, a.senha)
        # Over implicit TLS aiosmtpd does not see the encryption: it is there.
        opcoes["auth_require_tls"] = a.modo == "starttls"
        opcoes["auth_required"] = a.modo != "simples"
    if a.modo == "starttls":
        opcoes["tls_context"] = contexto
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    sock.listen(8)
    guarda = Guarda(a.pasta)  # one for every connection: messages numbered in turn
    servidor = await asyncio.get_running_loop().create_server(
        lambda: SMTP(guarda, **opcoes), sock=sock, ssl=contexto if a.modo == "ssl" else None)
    print(sock.getsockname()[1], flush=True)
    async with servidor:
        await servidor.serve_forever()


if __name__ == "__main__":
    p = argparse.ArgumentParser()
    p.add_argument("pasta")
    p.add_argument("--modo", choices=["simples", "starttls", "ssl"], default="simples")
    p.add_argument("--certificado")
    p.add_argument("--chave")
    p.add_argument("--usuario")
    p.add_argument("--senha")
    asyncio.run(principal(p.parse_args()))
