#!/usr/bin/env python3
"""The maker's server script as a stranger on the network meets it: only files inside its
folder, silent connections closed, and the slow mode the download tests use."""
import os
import socket
import subprocess
import sys
import tempfile
import time
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "server", "maker_server.py")


class MakerServer(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.work.name, "site")
        os.mkdir(cls.root)
        with open(os.path.join(cls.root, "help.chm"), "wb") as f:
            f.write(b"help")
        with open(os.path.join(cls.work.name, "secret.txt"), "wb") as f:
            f.write(b"secret")
        os.symlink(os.path.join(cls.work.name, "secret.txt"), os.path.join(cls.root, "link.txt"))
        port_file = os.path.join(cls.work.name, "port")
        cls.server = subprocess.Popen([sys.executable, SCRIPT, "--root", cls.root, "--port", "0", "--port-file",
                                       port_file, "--test-modes", "--idle-timeout", "1"],
                                      stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(port_file):
                break
            time.sleep(0.05)
        with open(port_file) as f:
            cls.port = int(f.read())

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait()
        cls.work.cleanup()

    def request(self, raw):
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as s:
            s.sendall(raw)
            answer = b""
            while True:
                chunk = s.recv(65536)
                if not chunk:
                    return answer
                answer += chunk

    def get(self, path):
        answer = self.request(("GET %s HTTP/1.0\r\n\r\n" % path).encode())
        head, _, body = answer.partition(b"\r\n\r\n")
        return int(head.split()[1]), body

    def test_serves_only_files_inside_its_folder(self):
        self.assertEqual(self.get("/benchmarks/prey/help.chm"), (200, b"help"))
        for path in ["/../secret.txt", "/benchmarks/prey/..%2Fsecret.txt", "/%2E%2E/secret.txt",
                     "/..%5Csecret.txt", "/sub%5C..%5C..%5Csecret.txt", "/C:%5Cwindows%5Cwin.ini",
                     "/C:/secret.txt", "/link.txt", "/" + self.work.name + "/secret.txt", "/", "/%00"]:
            status, body = self.get(path)
            self.assertEqual(status, 404, path)
            self.assertNotIn(b"secret", body, path)

    def test_a_silent_connection_is_closed(self):
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as s:
            start = time.monotonic()
            self.assertEqual(s.recv(1), b"")  # closed by the server, not by our own time-out
            self.assertLess(time.monotonic() - start, 5)

    def test_rate_sends_the_body_slowly(self):
        start = time.monotonic()
        status, body = self.get("/x?size=3&rate=1")
        self.assertEqual((status, len(body)), (200, 3))
        self.assertGreaterEqual(time.monotonic() - start, 1.9)


if __name__ == "__main__":
    unittest.main()
