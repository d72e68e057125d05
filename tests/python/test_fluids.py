# SPDX-License-Identifier: BSD-3-Clause
# Calculations on one fluid and on aqueous inclusions: the same numbers as the command-line tool,
# to the last digit, and the tool's messages as exceptions.
import numpy as np
import pytest

import zephon

OIL = dict(alpha=0.82, beta=0.2, co2=1.0)
OIL_ARGS = ["--alpha", 0.82, "--beta", 0.2, "--co2", 1]


def point_or_none(point):
    return None if point is None else {"T": point.T, "P": point.P}


def test_gor_and_composition_match_the_tool(cli_json, examples, tmp_path):
    for args, kwargs in ((OIL_ARGS, OIL), (["--fluid", examples / "fluid_model.flu"],
                                           dict(fluid=examples / "fluid_model.flu"))):
        expected = cli_json("gor", *args)
        got = zephon.gor(**kwargs)
        assert {k: getattr(got, k) for k in expected} == expected
    expected = cli_json("composition", *OIL_ARGS)
    model = zephon.composition(**OIL)
    assert model.name == expected["name"]
    assert [vars_of(c) for c in model.components] == expected["components"]
    # The same file as the tool writes, and a FluidModel computes as that file.
    cli_json("composition", *OIL_ARGS, "--out", tmp_path / "cli.flu")
    model.write(tmp_path / "py.flu")
    assert (tmp_path / "py.flu").read_text() == (tmp_path / "cli.flu").read_text()
    read = zephon.read(tmp_path / "py.flu")
    assert zephon.gor(fluid=read).GOR == cli_json("gor", "--fluid", tmp_path / "py.flu")["GOR"]


def vars_of(component):
    return {k: getattr(component, k) for k in ("name", "mole_percent", "Tc", "Pc", "omega", "Mw", "Vc", "Ct")}


def test_saturation_matches_the_tool(cli_json):
    expected = cli_json("saturation", *OIL_ARGS, "--t", 80, "--bubble")
    got = zephon.saturation(**OIL, t=80, kind="bubble")
    assert (got.T, got.P, got.kind) == (expected["T"], expected["P"], expected["kind"])
    assert got.incipient == expected["incipient"]
    assert (got.liquid_volume, got.vapour_volume) == (expected["liquid_volume"], expected["vapour_volume"])


def test_envelope_matches_the_tool(cli_json, tmp_path):
    expected = cli_json("envelope", *OIL_ARGS, "--out", tmp_path / "cli.ptd")
    got = zephon.envelope(**OIL)
    assert got.name == expected["name"]
    for branch in ("liquid", "vapour"):
        series = getattr(got, branch)
        assert series.T.tolist() == [p["T"] for p in expected[branch]]
        assert series.P.tolist() == [p["P"] for p in expected[branch]]
        assert series.skip.tolist() == [p["skip"] for p in expected[branch]]
    for key in ("critical", "critical_exact", "cricondenbar", "cricondentherm"):
        assert point_or_none(getattr(got, key)) == expected[key]
    assert (got.GOR, got.API) == (expected["GOR"], expected["API"])
    got.write(tmp_path / "py.ptd")
    assert (tmp_path / "py.ptd").read_text() == (tmp_path / "cli.ptd").read_text()


def test_isochore_with_aqueous_crossing_matches_the_tool(cli_json):
    aqueous = ["--thaq", 140, "--tm-ice", -6.6, "--host", "quartz", "--sd-thaq", 1, "--sd-tm-ice", 0.2,
               "--sd-th", 1, "--sd-fv", 0.5, "--sd-brine-density", 0.05, "--corr-th", 0.5]
    expected = cli_json("isochore", *OIL_ARGS, "--th", 89.3, "--liquid", *aqueous)
    got = zephon.isochore(**OIL, th=89.3, homog="liquid", thaq=140, tm_ice=-6.6, host="quartz", sd_thaq=1,
                          sd_tm_ice=0.2, sd_th=1, sd_fv=0.5, sd_brine_density=0.05, corr_th=0.5)
    assert (got.Th, got.homog, got.bulk_volume, got.bulk_density) == (
        expected["Th"], expected["homog"], expected["bulk_volume"], expected["bulk_density"])
    for key in ("biphasic", "monophasic"):
        series = getattr(got, key)
        assert np.column_stack([series.T, series.P, series.V]).tolist() == [
            [p["T"], p["P"], p["V"]] for p in expected[key]]
    assert got.trapping_pressure == expected["trapping_pressure"]
    assert got.aqueous_isochore.T.tolist() == [p["T"] for p in expected["aqueous_isochore"]]
    assert got.aqueous_isochore.P.tolist() == [p["P"] for p in expected["aqueous_isochore"]]
    c = got.crossing
    assert dict(T=c.T, P=c.P, slope_oil=c.slope_oil, slope_aqueous=c.slope_aqueous,
                angle=c.angle) == expected["crossing"]
    band = got.crossing_band
    assert dict(sd_T=band.sd_T, sd_P=band.sd_P, correlation=band.correlation,
                halved_steps=band.halved_steps) == expected["crossing_band"]
    # The 95 % ellipse is centred on the crossing and reaches about 2.45 sd_T to either side.
    assert np.mean(band.ellipse.T[:-1]) == pytest.approx(c.T, abs=1e-9)
    assert (band.ellipse.T.max() - c.T) / band.sd_T == pytest.approx(np.sqrt(-2 * np.log(0.05)), rel=1e-6)
    assert zephon.bubble_size(**OIL, th=89.3).V.tolist() == got.biphasic.V.tolist()


def test_aqueous_matches_the_tool(cli_json):
    expected = cli_json("aqueous", "--th", 140, "--tm-ice", -6.6, "--host", "quartz")
    got = zephon.aqueous(140, tm_ice=-6.6, host="quartz")
    assert got.salinity_wt_pct == expected["salinity_wt_pct"]
    h = got.homogenisation
    assert dict(T=h.T, P=h.P, density=h.density) == expected["homogenisation"]
    assert got.isochore.T.tolist() == [p["T"] for p in expected["isochore"]]
    assert got.isochore.P.tolist() == [p["P"] for p in expected["isochore"]]


@pytest.mark.parametrize("call, error, message", [
    (lambda: zephon.gor(alpha=3, beta=0), ValueError, "gor: alpha must lie in (0, 2]"),
    (lambda: zephon.gor(alpha=0.5), ValueError, "gor: choose a fluid"),
    (lambda: zephon.gor(0.5, 0.1, fluid="x.flu"), ValueError, "not both"),
    (lambda: zephon.gor(fluid=3), TypeError, "a file path"),
    (lambda: zephon.gor(alpha="a", beta=0), TypeError, ""),
    (lambda: zephon.gor(fluid="/nonexistent.flu"), zephon.FileError, "/nonexistent.flu: no such file"),
    (lambda: zephon.isochore(0.5, 0, th=80, homog="gas"), ValueError, "homog must be"),
    (lambda: zephon.isochore(0.5, 0, th=80, tm_ice=-3, salinity=3, thaq=120), ValueError, "not tm_ice and salinity"),
    (lambda: zephon.isochore(0.5, 0, th=80, host="quartz"), ValueError, "host describes the aqueous inclusion"),
    (lambda: zephon.aqueous(140, tm_ice=-30), ValueError, "aqueous: "),
    (lambda: zephon.aqueous(140), ValueError, "give the salinity"),
    (lambda: zephon.isochore(0.5, 0, th=80, thaq=120, salinity=5, corr_th=2), ValueError, "corr_th must be"),
    (lambda: zephon.saturation(0.5, 0, t=float("nan")), ValueError, "t is not a number"),
])
def test_bad_arguments_raise_with_the_programs_message(call, error, message):
    with pytest.raises(error) as raised:
        call()
    assert message in str(raised.value)


def test_failed_calculation_raises_calculation_error():
    # Far above the cricondentherm there is no dew point.
    with pytest.raises(zephon.CalculationError, match="no dew point found at 1500.00 C"):
        zephon.saturation(0.5, 0.0, t=1500, kind="dew")
    with pytest.raises(zephon.CalculationError, match="no trapping pressure"):
        zephon.isochore(**OIL, th=89.3, thaq=50)
