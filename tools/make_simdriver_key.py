#!/usr/bin/env python3
"""Turns an RSA key made by `openssl genrsa 2048` into the CryptoAPI
PRIVATEKEYBLOB that the simulated driver imports, as C++ source.

The simulated driver stands in for a graphics driver, which has its key
ready long before any program asks; generating one per process would put a
second or so of key generation into every test and every measurement.

usage: openssl genrsa 2048 | tools/make_simdriver_key.py
(the printed bytes are the body of kSimRsaKeyBlob in simdriver/sim_rsa_key.cpp)
"""
import re
import subprocess
import sys


def fields(pem):
    text = subprocess.run(["openssl", "rsa", "-text", "-noout"], input=pem, capture_output=True,
                          check=True).stdout.decode()
    values = {}
    for name, body in re.findall(r"^(\w+):\s*\n((?:\s+[0-9a-f:]+\n)+)", text, re.M):
        values[name] = int(re.sub(r"[\s:]", "", body), 16)
    values["publicExponent"] = int(re.search(r"publicExponent: (\d+)", text).group(1))
    return values


def little(value, size):
    return value.to_bytes(size, "little")


def main():
    v = fields(sys.stdin.buffer.read())
    bits = 2048
    blob = bytes([7, 2, 0, 0]) + little(0xA400, 4)               # PRIVATEKEYBLOB, CALG_RSA_KEYX
    blob += little(0x32415352, 4) + little(bits, 4) + little(v["publicExponent"], 4)  # "RSA2"
    blob += little(v["modulus"], bits // 8)
    for name in ("prime1", "prime2", "exponent1", "exponent2", "coefficient"):
        blob += little(v[name], bits // 16)
    blob += little(v["privateExponent"], bits // 8)
    for start in range(0, len(blob), 16):
        print("    " + " ".join("0x%02x," % b for b in blob[start:start + 16]))


main()
