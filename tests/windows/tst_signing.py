"""Signing the Windows program and its installer: with a certificate made on
the spot named in the environment, CPack's zip holds a signed program and its
installer is signed, each signature checked with osslsigncode against that
certificate; the packages made without one carry no signature.
Run with the build folder, the packages folder made without a certificate
and the cpack program."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

BUILD = PACKAGES = CPACK = None
PROGRAM = "OrvelFreeBiblicalNumerology.exe"


def verify(path, cert):
    command = ["osslsigncode", "verify", "-in", path]
    if cert:
        command += ["-CAfile", cert]
    return subprocess.run(command, capture_output=True, text=True)


def program_from_zip(folder, into):
    archive = glob.glob(os.path.join(folder, "*.zip"))
    assert len(archive) == 1, "one zip in " + folder
    with zipfile.ZipFile(archive[0]) as z:
        name = next(n for n in z.namelist() if n.endswith("/bin/" + PROGRAM))
        path = os.path.join(into, PROGRAM)
        with open(path, "wb") as out:
            out.write(z.read(name))
    return path


class Signing(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="orvel-signing-")

    def test_signed_with_a_certificate_and_not_without(self):
        cert, key = os.path.join(self.work, "cert.pem"), os.path.join(self.work, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=Orvel test signer", "-addext", "extendedKeyUsage=codeSigning",
                        "-keyout", key, "-out", cert], check=True, capture_output=True)
        env = dict(os.environ, ORVEL_SIGN_CERT=cert, ORVEL_SIGN_KEY=key)
        env.pop("ORVEL_SIGN_TIMESTAMP_URL", None)
        env.pop("ORVEL_SIGN_PASSWORD_FILE", None)
        signed = os.path.join(self.work, "packages")
        made = subprocess.run([CPACK, "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", signed],
                              env=env, capture_output=True, text=True, timeout=600)
        self.assertEqual(made.returncode, 0, made.stdout + made.stderr)

        installer = glob.glob(os.path.join(signed, "*.exe"))
        self.assertEqual(len(installer), 1)
        for path in (installer[0], program_from_zip(signed, self.work)):
            result = verify(path, cert)
            self.assertEqual(result.returncode, 0, path + "\n" + result.stdout + result.stderr)
            self.assertIn("Signature verification: ok", result.stdout)
            self.assertIn("Orvel test signer", result.stdout)
        # Another certificate is not taken for this one.
        other = os.path.join(self.work, "other.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=Someone else", "-keyout", os.path.join(self.work, "other.key"),
                        "-out", other], check=True, capture_output=True)
        self.assertNotEqual(verify(installer[0], other).returncode, 0)

        if not os.environ.get("ORVEL_SIGN_CERT"):
            for path in (glob.glob(os.path.join(PACKAGES, "*.exe"))[0],
                         program_from_zip(PACKAGES, os.path.join(self.work, "packages"))):
                self.assertNotEqual(verify(path, None).returncode, 0, path + " is signed")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)


if __name__ == "__main__":
    BUILD, PACKAGES, CPACK = sys.argv[1:4]
    unittest.main(argv=sys.argv[:1], verbosity=2)
