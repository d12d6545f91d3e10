#!/usr/bin/env python3
"""A TCP proxy on loopback that delays every byte by a fixed time each way.

    delay_proxy.py LISTEN_PORT TARGET_PORT DELAY_MS

Each direction keeps its order and its throughput: data is held until
its time has come, not queued behind the data before it, so a round trip
costs twice DELAY_MS however many requests are on their way at once (the
kernel here has no netem). It serves until it is killed.
"""

import asyncio
import sys
import time


async def pipe(reader, writer, delay):
    queue = asyncio.Queue()

    async def send():
        while True:
            due, data = await queue.get()
            if data is None:
                break
            wait = due - time.monotonic()
            if wait > 0:
                await asyncio.sleep(wait)
            writer.write(data)
            await writer.drain()
        writer.close()

    sender = asyncio.ensure_future(send())
    while True:
        data = await reader.read(1 << 16)
        await queue.put((time.monotonic() + delay, data or None))
        if not data:
            break
    await sender


async def main(listen, target, delay):
    async def serve(client_reader, client_writer):
        server_reader, server_writer = await asyncio.open_connection("127.0.0.1", target)
        await asyncio.gather(pipe(client_reader, server_writer, delay),
                             pipe(server_reader, client_writer, delay),
                             return_exceptions=True)

    server = await asyncio.start_server(serve, "127.0.0.1", listen)
    print("ready", flush=True)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main(int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3]) / 1000))
