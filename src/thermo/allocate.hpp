// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Zero-filled one- and two-dimensional arrays of doubles, owned by value.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace zephon::thermo {

// A dense row-major matrix that also hands out row pointers, so code written against
// `double**` (the system solver, the vector residual slots) works on it unchanged.
class Matrix {
  public:
    Matrix() = default;
    Matrix(std::size_t rows, std::size_t cols) : mRows(rows), mCols(cols), mData(rows * cols, 0.0) {
        rebuild_row_pointers();
    }
    Matrix(const Matrix& other) : mRows(other.mRows), mCols(other.mCols), mData(other.mData) {
        rebuild_row_pointers();
    }
    Matrix& operator=(const Matrix& other) {
        if (this != &other) {
            mRows = other.mRows;
            mCols = other.mCols;
            mData = other.mData;
            rebuild_row_pointers();
        }
        return *this;
    }
    Matrix(Matrix&&) noexcept = default;
    Matrix& operator=(Matrix&&) noexcept = default;

    double* operator[](std::size_t i) { return mRowPointers[i]; }
    const double* operator[](std::size_t i) const { return mRowPointers[i]; }
    double** rows() { return mRowPointers.data(); }
    double* const* rows() const { return mRowPointers.data(); }
    std::size_t row_count() const { return mRows; }
    std::size_t column_count() const { return mCols; }
    bool empty() const { return mData.empty(); }
    // The rows one after the other.
    const double* data() const { return mData.data(); }
    std::size_t size() const { return mData.size(); }
    void fill(double value) { std::fill(mData.begin(), mData.end(), value); }

  private:
    void rebuild_row_pointers() {
        mRowPointers.resize(mRows);
        for (std::size_t i = 0; i < mRows; ++i)
            mRowPointers[i] = mData.data() + i * mCols;
    }

    std::size_t mRows = 0;
    std::size_t mCols = 0;
    std::vector<double> mData;
    std::vector<double*> mRowPointers;
};

// n doubles, every element 0.0.
inline std::vector<double> allocate(short n) {
    return std::vector<double>(n > 0 ? n : 0, 0.0);
}

// n rows of m doubles, every element 0.0.
inline Matrix allocate(short n, short m) {
    return Matrix(n > 0 ? n : 0, m > 0 ? m : 0);
}

} // namespace zephon::thermo
