# SPDX-License-Identifier: BSD-3-Clause
# Every kind of Zephon file read into Python objects and written back unchanged; damaged files
# raise with the line and column where reading stopped.
import pytest

import zephon


@pytest.fixture(scope="module")
def files(examples, tmp_path_factory, cli):
    folder = tmp_path_factory.mktemp("files")
    made = {"inc": examples / "inclusions.inc", "flu": examples / "fluid_model.flu",
            "abe": examples / "correlation.abe", "abp": folder / "curves.abp", "ptd": folder / "diagram.ptd"}
    assert cli("abcurve", "--inc", made["inc"], "--out", made["abp"]).returncode == 0
    assert cli("isochore", "--alpha", 0.82, "--beta", 0.2, "--th", 89.3, "--liquid", "--thaq", 140,
               "--tm-ice", -6.6, "--sd-thaq", 1, "--out", made["ptd"]).returncode == 0
    return made


@pytest.mark.parametrize("kind, cls", [("inc", zephon.Inclusions), ("flu", zephon.FluidModel),
                                       ("abe", zephon.Correlation), ("abp", zephon.AlphaBetaPlot),
                                       ("ptd", zephon.PTDiagram)])
def test_every_kind_reads_writes_and_reads_back_the_same(files, tmp_path, kind, cls):
    document = zephon.read(files[kind])
    assert isinstance(document, cls)
    document.write(tmp_path / f"copy.{kind}")
    again = zephon.read(tmp_path / f"copy.{kind}")
    assert again == document
    if kind != "ptd":  # a P-T file read back writes a blank line after an isochore without trapping lines
        assert (tmp_path / f"copy.{kind}").read_bytes() == files[kind].read_bytes()


def test_contents_are_plain_values(files):
    inclusions = zephon.read(files["inc"]).inclusions
    first = inclusions[0]
    assert (first.name, first.Th, first.Fv, first.Tv, first.homog, first.CO2) == ("FI-1", 74.6, 9.04, 20.0,
                                                                                "liquid", 1.0)
    assert first.volumes[:2] == [(20.0, 9.04), (35.0, 7.05)]
    plot = zephon.read(files["abp"])
    assert [c.inclusion.name for c in plot.curves] == [i.name for i in inclusions]
    ptd = zephon.read(files["ptd"])
    diagram, = ptd.diagrams
    assert diagram.model == "alpha-beta" and len(diagram.envelope.liquid) > 10
    assert [i.biphasic for i in diagram.isochores] == [True, False]
    aqueous, = ptd.aqueous_isochores
    assert aqueous.salinity_source == "ice" and aqueous.measured == -6.6
    assert aqueous.crossings[0].band is not None


def test_tables_as_pandas_frames(files):
    pandas = pytest.importorskip("pandas")
    frame = zephon.read(files["inc"]).to_pandas()
    assert isinstance(frame, pandas.DataFrame)
    assert list(frame.columns) == ["name", "Th", "homog", "Fv", "Tv", "CO2", "N2", "H2S"]
    assert frame["Th"].tolist() == [i.Th for i in zephon.read(files["inc"]).inclusions]
    assert zephon.read(files["flu"]).to_pandas().shape == (17, 8)
    curve = zephon.read(files["abp"]).curves[0]
    assert curve.to_pandas()["alpha"].tolist() == list(curve.points.columns()["alpha"])


def test_documents_made_in_python_round_trip(tmp_path):
    inclusions = zephon.Inclusions([zephon.Inclusion("A 1", Th=80.5, Fv=7.25, volumes=[(20, 7.25), (50, 4.5)]),
                                    zephon.Inclusion("B", Th=110, Fv=12, homog="vapour", CO2=2)])
    inclusions.write(tmp_path / "made.inc")
    assert zephon.read(tmp_path / "made.inc").inclusions == inclusions.inclusions
    model = zephon.composition(0.6, 0.1)
    model.components = model.components[:-1]
    model.write(tmp_path / "made.flu")
    read = zephon.read(tmp_path / "made.flu")
    assert [c.name for c in read.components] == [c.name for c in model.components[:16]]
    assert read.components[3].Tc == pytest.approx(model.components[3].Tc, abs=5e-4)  # as many decimals as the file keeps
    read.write(tmp_path / "again.flu")
    assert zephon.read(tmp_path / "again.flu") == read
    correlation = zephon.Correlation("basin", [zephon.NamedFluid("oil 1", 0.6, 0.1, [("CO2", 1.5)])])
    correlation.write(tmp_path / "made.abe")
    assert zephon.read(tmp_path / "made.abe").fluids == correlation.fluids


def test_damaged_and_missing_files_raise_file_error(files, tmp_path):
    damaged = tmp_path / "damaged.inc"
    lines = files["inc"].read_text().splitlines(keepends=True)
    damaged.write_text("".join(lines[:3]) + lines[3].replace("89.30", "8x.30") + "".join(lines[4:]))
    with pytest.raises(zephon.FileError, match=r"damaged.inc: line 4, column 6: this field cannot be read"):
        zephon.read(damaged)
    with pytest.raises(zephon.FileError, match="no such file"):
        zephon.read(tmp_path / "none.flu")
    with pytest.raises(ValueError, match="give kind"):
        zephon.read(tmp_path / "notes.txt")
    with pytest.raises(zephon.FileError):
        zephon.Inclusions().write(tmp_path / "no folder" / "x.inc")
