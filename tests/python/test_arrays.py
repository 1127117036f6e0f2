# SPDX-License-Identifier: MIT
# What the module adds to the engine: numbers or arrays in, the same kind out; NaN for an element
# without a result, ValueError for a single value without one; options checked once.
import numpy as np
import pandas as pd
import pytest

import velmora


@pytest.mark.parametrize("call", [
    lambda v: velmora.to_electrical("pt100", v),
    lambda v: velmora.to_temperature("k", v * 20, cj=v / 10),
    lambda v: velmora.tolerance("pt100", v, "B")["temperature_tolerance"],
    lambda v: velmora.humidity(v / 10, 50, pressure=v * 100 + 90000)["dew_point"],
    lambda v: velmora.loop(lo=0, hi=100, value=v)["percent_of_span"],
    lambda v: velmora.line(x0=0, x1=2, y0=1, y1=5, x=v),
])
def test_an_array_gives_an_array_of_its_shape_with_each_element_as_alone(call):
    values = np.array([[10.0, 20.5, 150.0], [300.0, 0.5, 75.25]])
    result = call(values)
    assert isinstance(result, np.ndarray) and result.shape == values.shape
    for index, value in np.ndenumerate(values):
        single = call(float(value))
        assert isinstance(single, float) and single == result[index]


def test_an_element_without_a_result_is_nan_and_the_rest_are_kept():
    result = velmora.to_electrical("pt100", np.array([0.0, 900.0, np.nan, -201.0, 100.0]))
    assert np.isnan(result[[1, 2, 3]]).all()
    assert result[0] == 100.0 and result[4] == velmora.to_electrical("pt100", 100)
    tolerance = velmora.tolerance("pt100", np.array([100.0, 500.0]), "A")
    assert np.isnan(tolerance["resistance_tolerance"][1])


@pytest.mark.parametrize("call,message", [
    (lambda: velmora.to_electrical("pt100", float("nan")), "temperature nan is not a finite number"),
    (lambda: velmora.to_electrical("pt99", 0), "unknown sensor 'pt99'"),
    (lambda: velmora.to_electrical("pt100", 0, r0=500), "r0 does not apply to the Pt100"),
    (lambda: velmora.to_electrical("pt100", 0, cj=20), "cj applies to thermocouples only"),
    (lambda: velmora.to_electrical("pt100", 0, unit="K"), "unit 'K' is not C or F"),
    (lambda: velmora.to_temperature("ntc", 5000), "ntc needs exactly one of beta"),
    (lambda: velmora.tolerance("ni1000", 20, "A"), "the Ni1000 has no tolerance classes"),
    (lambda: velmora.tolerance("k", 20, "A"), "unknown class 'A' for the type K thermocouple"),
    (lambda: velmora.humidity(20), "give one of rh, dew_point, frost_point or wet_bulb"),
    (lambda: velmora.humidity(20, 50, dew_point=5), "not both rh and dew_point"),
    (lambda: velmora.humidity(20, 50, rh_accuracy=101), "rh_accuracy 101 % is outside 0 to 100 %"),
    (lambda: velmora.loop(lo=5, hi=5, value=5), "lo and hi are both 5"),
    (lambda: velmora.line(x0=1, x1=1, y0=0, y1=3, x=2), "x0 and x1 are both 1"),
])
def test_a_refusal_is_a_value_error_naming_the_value_and_the_rule(call, message):
    with pytest.raises(ValueError, match=message):
        call()


def test_options_are_refused_before_any_element_even_for_an_array():
    with pytest.raises(ValueError, match="unknown sensor"):
        velmora.to_electrical("pt99", np.zeros(3))


def test_arrays_broadcast_with_numbers_and_with_each_other():
    t = np.array([20.0, 25.0, 30.0])
    together = velmora.humidity(t, np.array([40.0, 50.0, 60.0]), pressure=95000)
    for i in range(3):
        alone = velmora.humidity(t[i], [40.0, 50.0, 60.0][i], pressure=95000)
        assert all(together[k][i] == alone[k] or np.isnan(alone[k]) for k in alone)
    cj = velmora.to_electrical("k", 500, cj=np.array([0.0, 25.0]))
    assert cj.shape == (2,) and cj[0] == velmora.to_electrical("k", 500)


def test_a_pandas_column_converts_and_keeps_its_rows():
    log = pd.DataFrame({"time": ["08:00", "08:01", "08:02"], "R": [100.0, 12.5, 109.73]})
    log["t"] = velmora.to_temperature("pt100", log["R"])
    assert log["t"].isna().tolist() == [False, True, False]
    assert log["t"][2] == velmora.to_temperature("pt100", 109.73)


def test_the_loop_names_each_current_s_ne43_zone():
    zones = velmora.loop(lo=0, hi=100, current=np.array([3.5, 3.7, 12.0, 20.7, np.nan]))
    assert zones["namur_zone"].tolist() == ["failure", "out of range", "measuring",
                                           "out of range", ""]
