#pragma once

// A gain (a non-negative number) as mantissa * 2^exponent, the mantissa in [0.5, 1):
// the gains of 40 poles 1e-10 from the unit circle, 1e400, are beyond the range of a
// double but not of this. 0 and infinity have the mantissa 0 and infinity.
class WideGain {
public:
    WideGain() = default;
    explicit WideGain(double value);
    // value * 2^exponent.
    WideGain(double value, long exponent);

    bool IsZero() const { return mMantissa == 0.0; }
    bool IsInfinite() const;
    // The gain as a double: 0 or infinite where it is out of range.
    double ToDouble() const;
    // The natural logarithm.
    double Log() const;
    // The factor that shares the division by this gain among count sections: its
    // count-th power is 1 / gain. For one section it is 1 / gain exactly rounded.
    double ShareOfInverse(int count) const;
    // This gain over divisor as a double: 0 or infinite where out of range, NaN for 0 / 0
    // and infinity over infinity.
    double Over(const WideGain& divisor) const;

    friend bool operator<(const WideGain& a, const WideGain& b);

private:
    double mMantissa = 1.0;
    long mExponent = 0;
};
