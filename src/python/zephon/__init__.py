# SPDX-License-Identifier: BSD-3-Clause
"""Zephon from Python: oil models (Peng-Robinson), phase envelopes, isochores, trapping conditions
from coeval aqueous inclusions, alpha-beta curves of oil inclusions, and Zephon's files.

Names follow the command-line tool: `zephon.envelope(alpha=0.5, beta=0.0).critical_exact.T` is the
`critical_exact` `T` of `zephon-cli envelope --alpha 0.5 --beta 0 --json`. Units everywhere as in
the program: degrees Celsius, bar, mole percent, bubble volume percent.
"""

import enum

from ._zephon import *  # noqa: F401,F403
from ._zephon import (AlphaBetaPlot, Correlation, Curve, FluidModel, Inclusions, PTDiagram, Series,
                      isochore)



class CurveEnd(enum.IntEnum):
    """The engine's code at the end of an alpha-beta curve: Curve.code, equal to the number
    `zephon-cli abcurve --json` writes as code. Curve.message says what it means for the curve."""

    NONE = 0  #: the curve ran to its end, or to 200 points
    ALPHA_SEARCH_FAILED = 1  #: the search for alpha did not converge
    BELOW_RANGE = 2  #: a solver left its range at the low end
    ABOVE_RANGE = 3  #: a solver left its range at the high end
    NOT_COMPUTABLE = 4  #: the equations could not be evaluated
    HOMOGENISATION_FAILED = 5  #: no homogenisation state at Th: the curve stops at a critical point
    ROOM_TEMPERATURE_FAILED = 6  #: no two-phase state with the measured bubble at Tv
    NO_INITIAL_ESTIMATE = 8  #: the estimate tables cannot start these measurements


__all__ = [name for name in dir() if not name.startswith("_") and name != "enum"]


def _pandas():
    try:
        import pandas
    except ImportError as error:  # pandas is optional
        raise ImportError("to_pandas() needs pandas (Debian: python3-pandas)") from error
    return pandas


def _series_to_pandas(self):
    """The curve's columns as a pandas DataFrame."""
    return _pandas().DataFrame(self.columns())


def _records_to_pandas(records, fields):
    return _pandas().DataFrame([{f: getattr(r, f) for f in fields} for r in records], columns=fields)


_INCLUSION_FIELDS = ["name", "Th", "homog", "Fv", "Tv", "CO2", "N2", "H2S"]
_COMPONENT_FIELDS = ["name", "mole_percent", "Tc", "Pc", "omega", "Mw", "Vc", "Ct"]

Series.to_pandas = _series_to_pandas
Inclusions.to_pandas = lambda self: _records_to_pandas(self.inclusions, _INCLUSION_FIELDS)
Inclusions.to_pandas.__doc__ = "The inclusions as a pandas DataFrame, one row each (without the volumes)."
FluidModel.to_pandas = lambda self: _records_to_pandas(self.components, _COMPONENT_FIELDS)
FluidModel.to_pandas.__doc__ = "The components as a pandas DataFrame, one row each."
Correlation.to_pandas = lambda self: _records_to_pandas(self.fluids, ["name", "alpha", "beta"])
Correlation.to_pandas.__doc__ = "The fluids as a pandas DataFrame, one row each."
Curve.to_pandas = lambda self: self.points.to_pandas()
Curve.to_pandas.__doc__ = "The curve's alpha and beta as a pandas DataFrame."


def bubble_size(alpha=None, beta=None, *, co2=None, n2=None, h2s=None, fluid=None, th, homog="liquid"):
    """The bubble volume (%) against temperature (degrees C) of an inclusion of this fluid that
    homogenises at th (degrees C) to homog ('liquid' or 'vapour'): the biphasic isochore, a Series
    of T, P (bar) and V (bubble volume %)."""
    return isochore(alpha, beta, co2=co2, n2=n2, h2s=h2s, fluid=fluid, th=th, homog=homog).biphasic
