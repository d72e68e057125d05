# SPDX-License-Identifier: BSD-3-Clause
# Alpha-beta curves and their crossings: the tool's numbers, named end codes, and Ctrl+C during a
# batch.
import os
import signal
import threading
import time

import pytest

import zephon


def test_curves_and_crossings_match_the_tool(cli_json, examples, tmp_path):
    expected = cli_json("abcurve", "--inc", examples / "inclusions.inc", "--jobs", 2, "--out", tmp_path / "cli.abp")
    curves = zephon.abcurve(examples / "inclusions.inc", jobs=2)
    assert [c.inclusion.name for c in curves] == [c["inclusion"] for c in expected["curves"]]
    for curve, wanted in zip(curves, expected["curves"]):
        assert curve.alpha.tolist() == [p["alpha"] for p in wanted["points"]]
        assert curve.beta.tolist() == [p["beta"] for p in wanted["points"]]
        assert curve.code == wanted["code"] and isinstance(curve.code, zephon.CurveEnd)
        assert curve.message == wanted["message"]
    # The same plot as the tool writes, and the same crossings from the curves, the plot or its file.
    plot = zephon.AlphaBetaPlot()
    for curve in curves:
        plot.add_curve(curve)
    plot.write(tmp_path / "py.abp")
    assert (tmp_path / "py.abp").read_text() == (tmp_path / "cli.abp").read_text()
    wanted = cli_json("crossings", tmp_path / "cli.abp")["crossings"]
    assert wanted, "the example's curves cross"
    as_dicts = lambda found: [dict(alpha=c.alpha, beta=c.beta, first=c.first, second=c.second, angle=c.angle)
                              for c in found]
    assert as_dicts(zephon.crossings(tmp_path / "cli.abp")) == wanted
    assert as_dicts(zephon.crossings(zephon.read(tmp_path / "cli.abp"))) == wanted
    # The curves in memory hold every digit, the file six decimals.
    in_memory = zephon.crossings(curves)
    assert as_dicts(zephon.crossings(plot)) == as_dicts(in_memory)
    assert [(c.first, c.second) for c in in_memory] == [(c["first"], c["second"]) for c in wanted]
    assert [c.alpha for c in in_memory] == pytest.approx([c["alpha"] for c in wanted], abs=1e-4)


def test_one_inclusion_gives_one_curve_and_a_named_end():
    inclusion = zephon.Inclusion("small", Th=90, Fv=0.01, Tv=20, homog="vapour")
    curve = zephon.abcurve(inclusion)
    assert len(curve) == 0
    assert curve.code == zephon.CurveEnd.NO_INITIAL_ESTIMATE
    assert curve.message == "The bubble is too small for an inclusion which homogenizes to vapour."


def test_bad_inclusions_are_refused_before_any_calculation():
    with pytest.raises(ValueError, match="the bubble volume must be a percentage"):
        zephon.abcurve([zephon.Inclusion("x", Th=80, Fv=0)])
    with pytest.raises(ValueError, match="jobs must be"):
        zephon.abcurve(zephon.Inclusion("x", Th=80, Fv=5), jobs=0)
    with pytest.raises(TypeError):
        zephon.abcurve([1, 2])


def test_ctrl_c_stops_a_batch_and_keeps_nothing(examples):
    inclusions = zephon.read(examples / "inclusions.inc").inclusions * 8
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            zephon.abcurve(inclusions, jobs=2)
    finally:
        timer.cancel()
    # The stop request is withdrawn afterwards, and Python's own handler is back.
    assert len(zephon.abcurve(inclusions[0])) > 1
    assert signal.getsignal(signal.SIGINT) is signal.default_int_handler


def test_calculations_release_the_interpreter_lock(examples):
    # Python threads run on while the curves are traced.
    worker = threading.Thread(target=zephon.abcurve, args=(examples / "inclusions.inc",))
    ticks = 0
    worker.start()
    while worker.is_alive():
        ticks += 1
        time.sleep(0.001)
    assert ticks > 20
