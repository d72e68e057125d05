# SPDX-License-Identifier: BSD-3-Clause
# Type hints of the zephon package. Units: degrees Celsius (T, Th, Tv, t...), bar (P), mole percent
# (co2, n2, h2s, CH4, mole_percent), bubble volume percent (Fv, V of a biphasic isochore).
import enum
import os
from typing import Iterable, Optional, Sequence, Union, overload

import numpy as np
import numpy.typing as npt

PathLike = Union[str, os.PathLike[str]]
FluidArg = Union[PathLike, "FluidModel", None]
Array = npt.NDArray[np.float64]

class FileError(ValueError): ...
class CalculationError(RuntimeError): ...

class Point:
    T: float  # degrees Celsius
    P: float  # bar
    def __init__(self, T: float, P: float) -> None: ...

class Series:
    T: Optional[Array]  # degrees Celsius
    P: Optional[Array]  # bar
    V: Optional[Array]  # bubble volume % (biphasic isochore) or cm3/mol (monophasic)
    skip: Optional[npt.NDArray[np.bool_]]  # True: not joined to the previous point
    dPdT: Optional[Array]  # bar/K
    alpha: Optional[Array]
    beta: Optional[Array]
    def __len__(self) -> int: ...
    def columns(self) -> dict[str, np.ndarray]: ...
    def to_pandas(self): ...

class StandardConditions:
    GOR: float  # m3/m3
    API: float
    CH4: float  # mole %
    stock_tank_molar_weight: float  # g/mol
    stock_tank_specific_volume: float  # cm3/g
    bulk_molar_weight: float  # g/mol

class SaturationPoint:
    T: float  # degrees Celsius
    P: float  # bar
    kind: str  # 'bubble' or 'dew'
    incipient: dict[str, float]  # mole %
    liquid_volume: float  # cm3/mol
    vapour_volume: float  # cm3/mol

class Envelope:
    name: str
    liquid: Series  # bubble branch: T, P, skip
    vapour: Series  # dew branch: T, P, skip
    critical: Optional[Point]  # where both branches end (estimated)
    critical_exact: Optional[Point]
    cricondenbar: Optional[Point]
    cricondentherm: Optional[Point]
    GOR: Optional[float]
    API: Optional[float]
    document: PTDiagram
    def write(self, path: PathLike) -> None: ...

class AqueousCrossing:
    T: float  # degrees Celsius
    P: float  # bar
    slope_oil: float  # bar/K
    slope_aqueous: float  # bar/K
    angle: float  # degrees

class CrossingBand:
    sd_T: float  # K
    sd_P: float  # bar
    correlation: float
    ellipse: Series  # the 95 % ellipse: T, P
    halved_steps: list[str]  # inputs moved by less than their uncertainty (a local derivative there)

class Isochore:
    Th: float  # degrees Celsius
    homog: str  # 'liquid' or 'vapour'
    bulk_volume: float  # cm3/mol
    bulk_density: float  # g/cm3
    biphasic: Series  # T, P, V (bubble volume %)
    monophasic: Series  # T, P, V (cm3/mol)
    trapping_pressure: Optional[float]  # bar
    aqueous_isochore: Optional[Series]  # T, P
    crossing: Optional[AqueousCrossing]
    crossing_band: Optional[CrossingBand]
    document: PTDiagram
    def write(self, path: PathLike) -> None: ...

class Homogenisation:
    T: float  # degrees Celsius
    P: float  # bar
    density: float  # kg/m3

class AqueousIsochore:
    salinity_wt_pct: float  # wt% NaCl equivalent
    homogenisation: Homogenisation
    isochore: Series  # T, P, dPdT

class CurveEnd(enum.IntEnum):
    NONE = 0
    ALPHA_SEARCH_FAILED = 1
    BELOW_RANGE = 2
    ABOVE_RANGE = 3
    NOT_COMPUTABLE = 4
    HOMOGENISATION_FAILED = 5
    ROOM_TEMPERATURE_FAILED = 6
    NO_INITIAL_ESTIMATE = 8

class Inclusion:
    name: str
    Th: float  # degrees Celsius
    Fv: float  # bubble volume % at Tv
    Tv: float  # degrees Celsius
    homog: str  # 'liquid' or 'vapour'
    CO2: float  # mole %
    N2: float
    H2S: float
    volumes: list[tuple[float, float]]  # (T in degrees Celsius, bubble volume %)
    def __init__(self, name: str = "Inclusion", *, Th: float, Fv: float, Tv: float = 20.0, homog: str = "liquid",
                 CO2: float = 0.0, N2: float = 0.0, H2S: float = 0.0,
                 volumes: Sequence[tuple[float, float]] = ()) -> None: ...

class Curve:
    inclusion: Inclusion
    points: Series  # alpha, beta
    alpha: Array
    beta: Array
    code: CurveEnd
    message: str
    def __len__(self) -> int: ...
    def to_pandas(self): ...

class CurveCrossing:
    alpha: float
    beta: float
    first: str
    second: str
    first_index: int
    second_index: int
    angle: float  # degrees, 0 to 90

class Component:
    name: str
    mole_percent: float
    Tc: float  # degrees Celsius
    Pc: float  # bar
    omega: float
    Mw: float  # g/mol
    Vc: float  # cm3/mol
    Ct: float  # cm3/mol
    def __init__(self, name: str, mole_percent: float, Tc: float, Pc: float, omega: float, Mw: float, Vc: float,
                 Ct: float = 0.0) -> None: ...

class NamedFluid:
    name: str
    alpha: float
    beta: float
    composition: list[tuple[str, float]]  # (component, mole %)
    def __init__(self, name: str, alpha: float, beta: float,
                 composition: Sequence[tuple[str, float]] = ()) -> None: ...

class _Document:
    def write(self, path: PathLike) -> None: ...
    def text(self) -> str: ...

class Inclusions(_Document):
    inclusions: list[Inclusion]
    def __init__(self, inclusions: Sequence[Inclusion] = ()) -> None: ...
    def __len__(self) -> int: ...
    def to_pandas(self): ...

class Correlation(_Document):
    name: str
    fluids: list[NamedFluid]
    def __init__(self, name: str = "Undefined", fluids: Sequence[NamedFluid] = ()) -> None: ...
    def __len__(self) -> int: ...
    def to_pandas(self): ...

class FluidModel(_Document):
    name: str
    components: list[Component]
    def __init__(self, name: str = "FM", components: Sequence[Component] = ()) -> None: ...
    def __len__(self) -> int: ...
    def to_pandas(self): ...

class AlphaBetaPlot(_Document):
    curves: list[Curve]
    markers: list[NamedFluid]
    correlations: list[Correlation]
    def __init__(self) -> None: ...
    def add_curve(self, curve: Curve) -> None: ...

class StoredIsochore:
    name: str
    Th: float
    homog: str
    biphasic: bool
    bulk_volume: float
    bulk_density: float
    points: Series
    trapping: list[Point]  # (aqueous Th, trapping pressure)

class Diagram:
    name: str
    envelope: Envelope
    model: str  # 'alpha-beta', 'fluid model' or 'none'
    isochores: list[StoredIsochore]

class StoredCrossing:
    oil_isochore: str
    crossing: AqueousCrossing
    band: Optional[CrossingBand]

class StoredAqueousIsochore:
    name: str
    Th: float
    salinity_source: str  # 'ice', 'halite' or 'typed'
    measured: float
    salinity_wt_pct: float
    host: str
    legacy: bool
    Ph: float  # bar
    density: float  # kg/m3
    points: Series
    crossings: list[StoredCrossing]

class PTDiagram(_Document):
    diagrams: list[Diagram]
    aqueous_isochores: list[StoredAqueousIsochore]
    def __init__(self) -> None: ...

def gor(alpha: Optional[float] = None, beta: Optional[float] = None, *, co2: Optional[float] = None,
        n2: Optional[float] = None, h2s: Optional[float] = None, fluid: FluidArg = None) -> StandardConditions: ...
def saturation(alpha: Optional[float] = None, beta: Optional[float] = None, *, co2: Optional[float] = None,
               n2: Optional[float] = None, h2s: Optional[float] = None, fluid: FluidArg = None, t: float,
               kind: str = "bubble") -> SaturationPoint: ...
def composition(alpha: float, beta: float, *, co2: float = 0.0, n2: float = 0.0, h2s: float = 0.0) -> FluidModel: ...
def envelope(alpha: Optional[float] = None, beta: Optional[float] = None, *, co2: Optional[float] = None,
             n2: Optional[float] = None, h2s: Optional[float] = None, fluid: FluidArg = None) -> Envelope: ...
def isochore(alpha: Optional[float] = None, beta: Optional[float] = None, *, co2: Optional[float] = None,
             n2: Optional[float] = None, h2s: Optional[float] = None, fluid: FluidArg = None, th: float,
             homog: str = "liquid", thaq: Optional[float] = None, tm_ice: Optional[float] = None,
             tm_halite: Optional[float] = None, salinity: Optional[float] = None, host: str = "none",
             legacy: bool = False, sd_thaq: Optional[float] = None, sd_tm_ice: Optional[float] = None,
             sd_tm_halite: Optional[float] = None, sd_salinity: Optional[float] = None,
             sd_th: Optional[float] = None, sd_fv: Optional[float] = None,
             tfv: Optional[float] = None, sd_brine_density: Optional[float] = None,
             corr_th: Optional[float] = None) -> Isochore: ...
def bubble_size(alpha: Optional[float] = None, beta: Optional[float] = None, *, co2: Optional[float] = None,
                n2: Optional[float] = None, h2s: Optional[float] = None, fluid: FluidArg = None, th: float,
                homog: str = "liquid") -> Series: ...
def aqueous(th: float, *, tm_ice: Optional[float] = None, tm_halite: Optional[float] = None,
            salinity: Optional[float] = None, host: str = "none", legacy: bool = False,
            tmax: Optional[float] = None) -> AqueousIsochore: ...
@overload
def abcurve(inclusions: Inclusion, *, jobs: int = 1) -> Curve: ...
@overload
def abcurve(inclusions: Union[Iterable[Inclusion], Inclusions, PathLike], *, jobs: int = 1) -> list[Curve]: ...
def crossings(curves: Union[Iterable[Curve], AlphaBetaPlot, PathLike]) -> list[CurveCrossing]: ...
def read(path: PathLike, *, kind: Optional[str] = None) -> Union[Inclusions, Correlation, FluidModel, AlphaBetaPlot,
                                                                 PTDiagram]: ...
