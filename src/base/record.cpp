// SPDX-License-Identifier: BSD-3-Clause
#include "base/record.hpp"

void CRecord::Read(CDataHandleStream& /*stream*/) {}

void CRecord::Write(CDataHandleStream& /*stream*/) {}
