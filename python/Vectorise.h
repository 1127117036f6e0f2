// SPDX-License-Identifier: MIT
#pragma once

// One calculation over scalars or numpy arrays. With Python numbers only it is called once and a
// refusal raises ValueError; with an array (or anything numpy reads as one, such as a pandas
// column) among the arguments, the arguments are broadcast together and the calculation runs for
// each element: an element without a result, or with a NaN among its inputs, is NaN.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <exception>
#include <limits>
#include <string>

namespace pyvelmora {

namespace py = pybind11;

// Whether a value is a single number (a Python int or float, or a numpy scalar) rather than an
// array.
bool IsScalar(const py::handle &value);

// A finite number from a single argument; ERefused naming `what` for NaN or an infinity.
double FiniteScalar(const py::handle &value, const char *what);

// `calculate(inputs, outputs)` fills K outputs from N inputs and throws where there is no result.
// The results: K Python floats, or K arrays of the broadcast shape.
template<std::size_t N, std::size_t K, typename TCalculate>
std::array<py::object, K> Vectorise(const std::array<py::object, N> &args,
                                    const std::array<const char *, N> &names,
                                    TCalculate &&calculate)
{
    bool scalars = true;
    for (const py::object &arg : args)
        scalars = scalars && IsScalar(arg);
    std::array<py::object, K> results;
    if (scalars) {
        std::array<double, N> in{};
        for (std::size_t i = 0; i < N; ++i)
            in[i] = FiniteScalar(args[i], names[i]);
        std::array<double, K> out{};
        calculate(in, out);
        for (std::size_t k = 0; k < K; ++k)
            results[k] = py::float_(out[k]);
        return results;
    }
    const py::module_ numpy = py::module_::import("numpy");
    py::tuple broadcastArgs(N);
    for (std::size_t i = 0; i < N; ++i)
        broadcastArgs[i] = numpy.attr("asarray")(args[i], py::arg("dtype") = "float64");
    const py::list broadcast = numpy.attr("broadcast_arrays")(*broadcastArgs);
    using TArray = py::array_t<double, py::array::c_style | py::array::forcecast>;
    std::array<TArray, N> arrays;
    for (std::size_t i = 0; i < N; ++i)
        arrays[i] = TArray::ensure(numpy.attr("ascontiguousarray")(broadcast[i]));
    const py::array &first = arrays[0];
    std::vector<py::ssize_t> shape(first.shape(), first.shape() + first.ndim());
    std::array<TArray, K> outArrays;
    std::array<double *, K> outData{};
    for (std::size_t k = 0; k < K; ++k) {
        outArrays[k] = TArray(shape);
        outData[k] = outArrays[k].mutable_data();
    }
    std::array<const double *, N> inData{};
    for (std::size_t i = 0; i < N; ++i)
        inData[i] = arrays[i].data();
    const auto size = static_cast<std::size_t>(first.size());
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    std::array<double, N> in{};
    std::array<double, K> out{};
    for (std::size_t e = 0; e < size; ++e) {
        bool finite = true;
        for (std::size_t i = 0; i < N; ++i) {
            in[i] = inData[i][e];
            finite = finite && std::isfinite(in[i]);
        }
        out.fill(NaN);
        if (finite) {
            try {
                calculate(in, out);
            } catch (const std::exception &) {
                out.fill(NaN);
            }
        }
        for (std::size_t k = 0; k < K; ++k)
            outData[k][e] = out[k];
    }
    for (std::size_t k = 0; k < K; ++k)
        results[k] = std::move(outArrays[k]);
    return results;
}

} // namespace pyvelmora
