#pragma once
// The magnitude response of an audio input's three filters, as the audio
// inputs dialog draws it. Each filter is modelled as one digital biquad
// section at 48 kHz, designed by the bilinear transform, and evaluated at
// 187 frequencies in 1/62-decade steps from 20 Hz to 20 kHz. The frequency
// and Q step tables are also the steps of the dialog's spin buttons.

#include <array>
#include <vector>

class EqResponse {
public:
    static constexpr int kPoints = 187;   // frequencies 20 Hz .. 20 kHz
    static constexpr int kQSteps = 110;
    static constexpr int kFilters = 3;

    // Biquad H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2).
    struct Coefficients {
        double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    };

    EqResponse();

    // Sets the 187 values of filter 0..2 to 0 dB.
    void ClearResponse(int filter);
    // Designs filter 0..2 and fills its response. `type` is an InputFilterType;
    // `slopeOrQ` is the slope in dB (6.0 or 12.0) for the shelving and cut
    // types and the Q for PEQ; `gainDb` is ignored by the cut types. An unknown
    // type keeps the coefficients of the previous design.
    void ComputeResponse(int filter, int type, double f, double slopeOrQ, double gainDb);

    // Response of one filter in dB at a table index (0 for a bad index).
    double Response(int filter, int index) const;
    // Sum of the three filters in dB at a table index.
    double Sum(int index) const;
    const Coefficients& GetCoefficients() const { return m_coef; }

    // Frequency table entry (index 187 or more, or negative: 20.0).
    static double FrequencyAt(int index);
    // Index of the largest entry not above f; -1 below 20.0, 186 above 20000.0.
    static int FrequencyIndex(double f);
    // Q table entry (index 110 or more, or negative: 0.4).
    static double QAt(int index);
    // Index of the largest entry not above q; -1 below 0.4, 109 above 20.0.
    static int QIndex(double q);

    // Graph geometry for a client area of w x h pixels: one decade is w/3
    // wide with 20 Hz at the left edge; 30 dB span the height, +15 dB at the
    // top, 0 dB in the middle.
    static int GridX(double frequency, int w);
    static int CurveX(int index, int w);
    static int CurveY(double db, int h);
    // The rows of the level grid (+12, +9, ... -12 dB).
    static std::vector<int> LevelGridRows(int h);

    // Grid frequencies of the graph in Hz.
    static constexpr std::array<double, 8> kGridFrequencies = {50, 100, 200, 500, 1000, 2000, 5000, 10000};

private:
    void Design(int type, double f, double slopeOrQ, double gainDb);
    void Evaluate(int filter);

    std::array<std::array<double, kPoints>, kFilters> m_response{};
    Coefficients m_coef;
};
