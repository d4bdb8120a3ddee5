"""A stand-in for the update service on 127.0.0.1: each request gets the next of the case's
answers, and is logged (path, agent, when it came and when its answer ended) to
service_log.jsonl in the scratch folder. The first output line is the service's base address."""
import http.server
import json
import os
import select
import socket
import sys
import threading
import time


def body(text, status=200):
    """An ordinary answer."""
    data = text.encode("utf-8") if isinstance(text, str) else text
    return {"kind": "body", "data": data, "status": status}


def silent(seconds):
    """Accepts the request and never answers within `seconds`."""
    return {"kind": "silent", "seconds": seconds}


def trickle(interval, count):
    """Answers 200, then one byte every `interval` seconds."""
    return {"kind": "trickle", "interval": interval, "count": count}


def huge(size):
    """An answer of `size` bytes, sent as fast as the client takes them."""
    return {"kind": "huge", "size": size}


def serve(tmp, answers):
    lock = threading.Lock()
    queue = list(answers)
    log_path = os.path.join(tmp, "service_log.jsonl")

    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            start = time.time()
            with lock:
                answer = queue.pop(0) if queue else body("-1")
            try:
                self.answer(answer)
            except (BrokenPipeError, ConnectionResetError):
                pass
            with lock, open(log_path, "a", encoding="utf-8") as log:
                log.write(json.dumps({"path": self.path, "agent": self.headers.get("User-Agent"),
                                      "kind": answer["kind"], "start": start, "end": time.time()}) + "\n")

        def answer(self, answer):
            kind = answer["kind"]
            if kind == "body":
                self.send_response(answer["status"])
                self.send_header("Content-Length", str(len(answer["data"])))
                self.end_headers()
                self.wfile.write(answer["data"])
            elif kind == "silent":
                # Waits until the client hangs up or the time is over.
                self.connection.settimeout(answer["seconds"])
                try:
                    self.connection.recv(1)
                except OSError:
                    pass
            elif kind == "trickle":
                self.send_response(200)
                self.end_headers()
                for _ in range(answer["count"]):
                    self.wfile.write(b"x")
                    self.wfile.flush()
                    # The wait ends early when the client hangs up.
                    if select.select([self.connection], [], [], answer["interval"])[0]:
                        if not self.connection.recv(1, socket.MSG_PEEK):
                            break
            elif kind == "huge":
                self.send_response(200)
                self.send_header("Content-Length", str(answer["size"]))
                self.end_headers()
                chunk = b"&" * 65536
                sent = 0
                while sent < answer["size"]:
                    self.wfile.write(chunk)
                    sent += len(chunk)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print("http://127.0.0.1:%d/" % server.server_address[1], flush=True)
    server.serve_forever()


def requests(tmp):
    path = os.path.join(tmp, "service_log.jsonl")
    if not os.path.exists(path):
        return []
    return [json.loads(line) for line in open(path, encoding="utf-8")]


def updater(tmp, name="updatesoft.exe"):
    """A small program standing in for the updater: each run appends its arguments, one per
    line, and then a line "-- end --", to updater_args.txt."""
    path = os.path.join(tmp, "module", name)
    with open(path, "w") as f:
        f.write("#!/bin/sh\n{ for a in \"$@\"; do printf '%%s\\n' \"$a\"; done; printf -- '-- end --\\n'; } >> '%s'\n"
                % os.path.join(tmp, "updater_args.txt"))
    os.chmod(path, 0o755)


if __name__ == "__main__":
    serve(sys.argv[1], [])
