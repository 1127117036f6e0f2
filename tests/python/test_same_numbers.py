# SPDX-License-Identifier: MIT
# The module against velmora-cli's JSON, on a grid for each command: equal to the last bit of a
# double, and the same one-line message for a refused single value.
import json
import os
import re
import subprocess

import numpy as np
import pytest

import velmora

CLI = os.environ["VELMORA_CLI"]


def cli(args, stdin=None):
    run = subprocess.run([CLI, *args], input=stdin, capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    return run


def cli_rows(args, lines):
    """velmora-cli's JSON rows for the readings `lines`, given on standard input."""
    run = cli([*args, "--format", "json"], "\n".join(lines) + "\n")
    return json.loads(run.stdout)["rows"]


def column(rows, key):
    return np.array([np.nan if r[key] is None or isinstance(r[key], str) else r[key] for r in rows])


def assert_bits(module, expected):
    module = np.asarray(module, dtype=float)
    same = (module == expected) | (np.isnan(module) & np.isnan(expected))
    assert same.all(), list(zip(module[~same], expected[~same]))


def grid(lo, hi, count=61):
    """Values from lo to hi, most of them decimals no binary fraction holds (0.1 steps)."""
    return np.unique(np.round(np.linspace(lo, hi, count), 1))


def texts(values):
    return [repr(float(v)) for v in values]


# sensor, its options for the module and for velmora-cli, the temperatures converted
SENSORS = [
    ("pt100", {}, [], (-200, 850)),
    ("pt1000", {"unit": "F"}, ["--unit", "F"], (-328, 1562)),
    ("ni1000", {}, [], (-50, 250)),
    ("ntc2252", {}, [], (-80, 120)),
    ("k", {}, [], (-270, 1370)),
    ("k", {"emf_unit": "mV"}, ["--emf-unit", "mV"], (-200, 1370)),
    ("j", {"cj": 23.5}, ["--cj", "23.5"], (-210, 1200)),
    ("s", {}, [], (-50, 1760)),
    ("b", {}, [], (250, 1820)),
    ("t", {"unit": "F"}, ["--unit", "F"], (-454, 752)),
    ("n", {}, [], (-200, 1300)),
    ("e", {}, [], (-270, 1000)),
    ("r", {"cj": 20}, ["--cj", "20"], (-50, 1768)),
    ("pt", {"r0": 500}, ["--r0", "500"], (-200, 850)),
    ("pt", {"curve": "pt3916"}, ["--curve", "pt3916"], (-200, 850)),
    ("pt", {"cvd": (3.9083e-3, -5.775e-7, -4.183e-12), "r0": 99.98},
     ["--cvd", "3.9083e-3,-5.775e-7,-4.183e-12", "--r0", "99.98"], (-200, 850)),
    ("ni1000-tk5000", {}, [], (-30, 160)),
    ("cu", {"curve": "cu427"}, ["--curve", "cu427"], (-100, 260)),
    ("ntc", {"r25": 10000, "beta": 3435}, ["--r25", "10000", "--beta", "3435"], (-80, 150)),
    ("ntc", {"sh": (1.129e-3, 2.341e-4, 8.775e-8)}, ["--sh", "1.129e-3,2.341e-4,8.775e-8"],
     (-80, 150)),
    ("ntc", {"curve": "semitec-103at"}, ["--curve", "semitec-103at"], (-40, 110)),
]


@pytest.mark.parametrize("sensor,options,flags,limits", SENSORS,
                         ids=[f"{s[0]}{' '.join(s[2])}" for s in SENSORS])
def test_conversions_both_ways_equal_velmora_cli(sensor, options, flags, limits):
    temperatures = grid(*limits)
    rows = cli_rows(["temp", sensor, "--to", "electrical", *flags], texts(temperatures))
    key = "emf" if "emf" in rows[0] else "resistance"
    electric = column(rows, key)
    assert_bits(velmora.to_electrical(sensor, temperatures, **options), electric)

    # back from what velmora-cli printed, and from a grid of its own decimals
    finite = electric[np.isfinite(electric)]
    values = np.concatenate([finite, grid(finite.min(), finite.max())])
    run = subprocess.run([CLI, "temp", sensor, "--to", "temperature", "--keep-going", *flags,
                          "--format", "json"], input="\n".join(texts(values)) + "\n",
                         capture_output=True, text=True)
    assert run.returncode in (0, 1), run.stderr
    back = column(json.loads(run.stdout)["rows"], "temperature")
    # a grid whose ends round outside the range loses an element or two, no more
    assert np.isfinite(electric).all() and np.isfinite(back).mean() > 0.9
    assert_bits(velmora.to_temperature(sensor, values, **options), back)


TOLERANCES = [
    ("pt100", "A", [], (-200, 850)),
    ("pt1000", "F 0.3", ["--unit", "F"], (-328, 1562)),
    ("k", "2", ["--emf-unit", "mV"], (-270, 1370)),
    ("s", "1", [], (-50, 1760)),
    ("pt", "B", ["--r0", "500"], (-200, 850)),
]


@pytest.mark.parametrize("sensor,cls,flags,limits", TOLERANCES)
def test_tolerance_equals_velmora_cli(sensor, cls, flags, limits):
    temperatures = grid(*limits)
    rows = cli_rows(["tolerance", sensor, "--class", cls, *flags], texts(temperatures))
    options = {"unit": "F"} if "F" in flags else {}
    options.update({"emf_unit": "mV"} if "mV" in flags else {})
    options.update({"r0": 500} if "--r0" in flags else {})
    result = velmora.tolerance(sensor, temperatures, cls, **options)
    for key in result:
        assert_bits(result[key], column(rows, key))


@pytest.mark.parametrize("sensor,reference,reading,flags", [
    ("pt100", 100, 138.62, []),
    ("pt100", -50.5, 80.21, []),
    ("k", 500, 19800, ["--cj", "22"]),
    ("s", 1200, 13.2, ["--emf-unit", "mV"]),
])
def test_class_check_equals_velmora_cli(sensor, reference, reading, flags):
    row = cli_rows(["check", sensor, "--reference", str(reference), "--reading", str(reading),
                    *flags], [])[0]
    options = {"cj": 22} if "--cj" in flags else {}
    options.update({"emf_unit": "mV"} if "mV" in flags else {})
    result = velmora.check(sensor, reference, reading, **options)
    assert result["temperature"] == row["temperature"]
    assert result["deviation"] == row["deviation"]
    assert result["classes_met"] == row["classes_met"]


HUMIDITY_KEYS = ["relative_humidity", "dew_point", "dew_point_accuracy", "absolute_humidity",
                 "absolute_humidity_accuracy", "specific_humidity", "specific_humidity_accuracy",
                 "mixing_ratio", "mixing_ratio_accuracy", "specific_enthalpy",
                 "specific_enthalpy_accuracy", "saturation_vapour_pressure",
                 "saturation_vapour_pressure_accuracy", "vapour_pressure",
                 "vapour_pressure_accuracy", "frost_point", "frost_point_accuracy", "wet_bulb",
                 "wet_bulb_accuracy", "ppmv", "ppmv_accuracy", "rh_at_temp", "rh_at_temp_accuracy"]


@pytest.mark.parametrize("given,column_option", [
    ("rh", "--rh-column"), ("dew_point", "--dew-point-column"),
    ("frost_point", "--frost-point-column"), ("wet_bulb", "--wet-bulb-column")])
def test_humidity_equals_velmora_cli(given, column_option):
    t, p = np.meshgrid(grid(-40, 120, 17), [101325, 85000.5, 3000])
    fraction = np.linspace(0.05, 1, t.size).reshape(t.shape)
    if given == "rh":
        h = np.round(fraction * 100, 1)
    elif given == "frost_point":
        t, p = t[t < 0], p[t < 0]
        h = np.round(t - 0.3, 1)
    else:
        h = np.round(t - fraction * 12, 1)
    t, h, p = (np.ravel(a) for a in (t, h, p))
    lines = ["t,h,p"] + [f"{a!r},{b!r},{c!r}" for a, b, c in zip(t, h, p)]
    run = subprocess.run([CLI, "humidity", "--temp-column", "t", column_option, "h",
                          "--pressure-column", "p", "--temp-accuracy", "0.3",
                          "--rh-accuracy", "1.8", "--at-temp", "21.5", "--quantities", "all",
                          "--keep-going", "--format", "json"],
                         input="\n".join(lines) + "\n", capture_output=True, text=True)
    assert run.returncode in (0, 1), run.stderr
    rows = json.loads(run.stdout)["rows"]
    result = velmora.humidity(t, **{given: h}, pressure=p, temp_accuracy=0.3, rh_accuracy=1.8,
                              at_temp=21.5)
    # the grid holds refused states too (a wet bulb above boiling, below dry air), at most half
    assert np.isfinite(result["vapour_pressure"]).mean() >= 0.5
    for key in HUMIDITY_KEYS:
        assert_bits(result[key], column(rows, key))


@pytest.mark.parametrize("dew_point,at,to", [(3, "800000", "101325"), (-20.5, "1e6", "2e5"),
                                             (45.3, "101325", "1013250"), (60, "20000", "1e6")])
def test_pressure_dew_point_equals_velmora_cli(dew_point, at, to):
    run = cli(["pressure-dew-point", "--dew-point", str(dew_point), "--at", at, "--to", to,
               "--format", "json"])
    row = json.loads(run.stdout)["rows"][0]
    result = velmora.pressure_dew_point(dew_point, at=float(at), to=float(to))
    for key in result:
        assert_bits(result[key], column([row], key))


@pytest.mark.parametrize("lo,hi", [(-30, 80), (0, 150.5), (100, 0.3)])
def test_loop_equals_velmora_cli(lo, hi):
    currents = grid(2, 24)
    run = subprocess.run([CLI, "loop", "--lo", str(lo), "--hi", str(hi), "--current",
                          *texts(currents), "--format", "json"], capture_output=True, text=True)
    rows = json.loads(run.stdout)["rows"]
    result = velmora.loop(lo=lo, hi=hi, current=currents)
    for key in ("value", "percent_of_span"):
        assert_bits(result[key], column(rows, key))
    assert result["namur_zone"].tolist() == [r["namur_zone"] for r in rows]
    values = grid(min(lo, hi) - 10, max(lo, hi) + 10)
    run = subprocess.run([CLI, "loop", "--lo", str(lo), "--hi", str(hi), "--value",
                          *texts(values), "--format", "json"], capture_output=True, text=True)
    rows = json.loads(run.stdout)["rows"]
    assert_bits(velmora.loop(lo=lo, hi=hi, value=values)["current"], column(rows, "current"))


def test_line_equals_velmora_cli():
    points = ["--x0", "0.2", "--x1", "1.7", "--y0", "-3.1", "--y1", "9.9"]
    xs = grid(-100, 100)
    for given, wanted in (("x", "y"), ("y", "x")):
        run = subprocess.run([CLI, "line", *points, f"--{given}", *texts(xs), "--format", "json"],
                             capture_output=True, text=True)
        expected = column(json.loads(run.stdout)["rows"], wanted)
        result = velmora.line(x0=0.2, x1=1.7, y0=-3.1, y1=9.9, **{given: xs})
        assert_bits(result, expected)


@pytest.mark.parametrize("args,call", [
    (["temp", "pt100", "--to", "electrical", "900"],
     lambda: velmora.to_electrical("pt100", 900)),
    (["temp", "k", "--to", "temperature", "60000"],
     lambda: velmora.to_temperature("k", 60000)),
    (["temp", "j", "--to", "temperature", "--emf-unit", "mV", "--cj", "30", "69.5"],
     lambda: velmora.to_temperature("j", 69.5, emf_unit="mV", cj=30)),
    (["temp", "pt1000", "--to", "temperature", "3950.5"],
     lambda: velmora.to_temperature("pt1000", 3950.5)),
    (["tolerance", "pt100", "--class", "AA", "300"],
     lambda: velmora.tolerance("pt100", 300, "AA")),
    (["humidity", "--temp", "20", "--dew-point", "25"],
     lambda: velmora.humidity(20, dew_point=25)),
    (["humidity", "--temp", "-5", "--frost-point", "-2"],
     lambda: velmora.humidity(-5, frost_point=-2)),
    (["humidity", "--temp", "20", "--rh", "100.5"],
     lambda: velmora.humidity(20, 100.5)),
    (["pressure-dew-point", "--dew-point", "150", "--at", "101325", "--to", "101325"],
     lambda: velmora.pressure_dew_point(150, at=101325, to=101325)),
])
def test_a_refused_value_says_what_velmora_cli_says(args, call):
    run = subprocess.run([CLI, *args], capture_output=True, text=True)
    # an option is named as the keyword argument that stands for it: --dew-point is dew_point
    message = re.sub(r"--([a-z]+)-?([a-z]*)", lambda m: "_".join(filter(None, m.groups())),
                     run.stderr.strip().removeprefix("velmora-cli: "))
    with pytest.raises(ValueError) as refused:
        call()
    assert str(refused.value) == message


CALIBRATIONS = [
    ("pt100", ["--range", "0,150", "--points", "5", "--up-down", "--tolerance", "0.25%"],
     {"lrv": 0, "urv": 150, "points": 5, "up_down": True, "tolerance": 0.25},
     [4.02, 8.04, 12.05, 16.03, 19.98, 16.06, 12.07, 8.05, 4.03],
     [3.99, 8.01, 12.00, 15.99, 20.00, 16.00, 12.01, 8.00, 4.00]),
    ("k", ["--range", "-20.5,1000", "--points", "0,12.5,50,100", "--cj", "22.5", "--emf-unit",
           "mV", "--output", "0-10V", "--tolerance", "1.5C"],
     {"lrv": -20.5, "urv": 1000, "points": [0, 12.5, 50, 100], "cj": 22.5, "emf_unit": "mV",
      "output": "0-10V", "tolerance": 1.5, "tolerance_unit": "C"},
     [0.01, 1.26, 5.003, 9.98], None),
    ("linear", ["--input-unit", "bar", "--range", "16,0", "--points", "3", "--output", "4-20mA",
                "--tolerance", "0.04mA"],
     {"input_unit": "bar", "lrv": 16, "urv": 0, "points": 3, "tolerance": 0.04,
      "tolerance_unit": "mA"},
     [3.96, 12.0, 20.05], [4.0, 12.01, 20.0]),
]


@pytest.mark.parametrize("sensor,flags,options,found,left", CALIBRATIONS,
                         ids=[c[0] for c in CALIBRATIONS])
def test_calibration_equals_velmora_cli(sensor, flags, options, found, left):
    sets = ["--found", ",".join(map(repr, found))]
    sets += ["--left", ",".join(map(repr, left))] if left else []
    run = subprocess.run([CLI, "calibrate", sensor, *flags, *sets, "--format", "json"],
                         capture_output=True, text=True)
    assert run.returncode in (0, 1), run.stderr
    report = json.loads(run.stdout)
    result = velmora.calibrate(sensor, found=found, left=left, **options)
    for key, name in (("as_found", "as-found"), ("as_left", "as-left")):
        if key not in report:
            assert key not in result
            continue
        rows = [r for r in report["rows"] if r["set"] == name]
        for column_key in ("percent_of_span", "input", "apply", "ideal"):
            if column_key in rows[0]:
                assert_bits(result[column_key], column(rows, column_key))
        judged = result[key]
        for column_key in ("reading", "error", "error_percent_of_span", "error_input",
                           "hysteresis_percent_of_span"):
            if column_key in rows[0]:
                assert_bits(judged[column_key], column(rows, column_key))
        for word in ("result", "ne43_zone", "leg"):
            if word in rows[0]:
                source = result if word == "leg" else judged
                assert source[word].tolist() == [r[word] for r in rows]
        for summary in ("pass", "largest_error", "largest_hysteresis"):
            assert judged.get(summary) == report[key].get(summary)
