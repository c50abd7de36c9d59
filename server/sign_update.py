#!/usr/bin/env python3
"""The maker's signing tool for Lurkmark updates (ECDSA P-256 over SHA-256).

    sign_update.py genkey PRIVATE.pem        make a key pair; prints the public key as C bytes
    sign_update.py pubkey PRIVATE.pem        prints the public key of an existing private key
    sign_update.py hash FILE...              prints each file's "#sha256N=" value
    sign_update.py sign PRIVATE.pem INFO     signs an information file in place: any earlier
                                             "#signature=" entry is removed, the new one ends it
    sign_update.py sign-file PRIVATE.pem F   writes F.sig, the detached signature of F (help.chm)

The private key never leaves the maker's machine; the program carries only the public half.
"""
import hashlib
import os
import sys

from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.hazmat.primitives.asymmetric.utils import decode_dss_signature

SIGNATURE_ENTRY = b"#signature="


def load_private(path):
    with open(path, "rb") as f:
        return serialization.load_pem_private_key(f.read(), password=None)


def public_bytes(private):
    numbers = private.public_key().public_numbers()
    return numbers.x.to_bytes(32, "big") + numbers.y.to_bytes(32, "big")


def c_array(data):
    rows = [", ".join("0x%02x" % b for b in data[i:i + 8]) for i in range(0, len(data), 8)]
    return "\n".join("    " + row + "," for row in rows)


def signature_hex(private, message):
    r, s = decode_dss_signature(private.sign(message, ec.ECDSA(hashes.SHA256())))
    return (r.to_bytes(32, "big") + s.to_bytes(32, "big")).hex()


def unsigned_part(text):
    """The information file without a signature entry that ends it."""
    at = text.lower().rfind(SIGNATURE_ENTRY)
    if at >= 0 and not text[at + len(SIGNATURE_ENTRY):].strip(b" \t\r\n").strip(b"0123456789abcdefABCDEF"):
        return text[:at]
    return text


def signed_info(private, text):
    """The text with its signature entry: the signature covers every byte before the entry."""
    message = unsigned_part(text)
    if message and not message.endswith(b"\n"):
        message += b"\r\n"
    return message + SIGNATURE_ENTRY + signature_hex(private, message).encode() + b"\r\n"


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command, args = argv[1], argv[2:]
    if command == "genkey" and len(args) == 1:
        private = ec.generate_private_key(ec.SECP256R1())
        fd = os.open(args[0], os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
        with os.fdopen(fd, "wb") as f:
            f.write(private.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                          serialization.NoEncryption()))
        print(c_array(public_bytes(private)))
    elif command == "pubkey" and len(args) == 1:
        print(c_array(public_bytes(load_private(args[0]))))
    elif command == "hash" and args:
        for path in args:
            with open(path, "rb") as f:
                print("%s  %s" % (hashlib.sha256(f.read()).hexdigest(), path))
    elif command == "sign" and len(args) == 2:
        private = load_private(args[0])
        with open(args[1], "rb") as f:
            text = f.read()
        with open(args[1], "wb") as f:
            f.write(signed_info(private, text))
    elif command == "sign-file" and len(args) == 2:
        private = load_private(args[0])
        with open(args[1], "rb") as f:
            data = f.read()
        with open(args[1] + ".sig", "wb") as f:
            f.write(signature_hex(private, data).encode() + b"\r\n")
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
