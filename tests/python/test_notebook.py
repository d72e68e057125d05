# SPDX-License-Identifier: BSD-3-Clause
# The example study runs from start to end without an error, on this build's module.
import os
import pathlib

import nbformat
from nbclient import NotebookClient


def test_example_study_runs_headless(examples, tmp_path, monkeypatch):
    # Jupyter's and matplotlib's own files go to the test's folder, not the home folder.
    for variable in ("JUPYTER_RUNTIME_DIR", "JUPYTER_DATA_DIR", "JUPYTER_CONFIG_DIR", "IPYTHONDIR", "MPLCONFIGDIR"):
        monkeypatch.setenv(variable, str(tmp_path / variable.lower()))
    notebook = nbformat.read(pathlib.Path(examples) / "study.ipynb", as_version=4)
    NotebookClient(notebook, timeout=300, kernel_name="python3",
                   resources={"metadata": {"path": str(examples)}}).execute()
    outputs = "".join(o.get("text", "") for cell in notebook.cells for o in cell.get("outputs", []))
    assert "trapped at" in outputs
