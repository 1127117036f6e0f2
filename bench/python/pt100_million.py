#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A million Pt100 conversions through the Python module, each way: the best of five runs, wall
clock and processor time.

    PYTHONPATH=build/dev/python /usr/bin/python3 bench/python/pt100_million.py
"""
import time

import numpy as np

import velmora


def best(call, values, runs=5):
    wall, cpu = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        call(values)
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    return min(wall), min(cpu)


rng = np.random.default_rng(1)
temperatures = np.round(rng.uniform(-200, 850, 1_000_000), 3)
resistances = velmora.to_electrical("pt100", temperatures)
for name, call, values in (
        ("to_electrical", lambda v: velmora.to_electrical("pt100", v), temperatures),
        ("to_temperature", lambda v: velmora.to_temperature("pt100", v), resistances)):
    wall, cpu = best(call, values)
    print(f"pt100 {name:15} 1,000,000 values: {wall:.3f} s wall, {cpu:.3f} s processor")
