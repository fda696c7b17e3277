#include "core/design/radical_sign.h"

#include <cassert>
#include <vector>

namespace veldronix::design {
namespace {

// A number of the field the rationals and the first k square roots make: one
// coefficient per product of square roots, the product named by the bits of
// its index (bit i: the square root of radicands[i]).
using TowerNumber = std::vector<BigInteger>;

TowerNumber multiply(const TowerNumber& a, const TowerNumber& b, std::span<const BigInteger> radicands)
{
    TowerNumber product(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].sign() == 0) {
            continue;
        }
        for (std::size_t j = 0; j < b.size(); ++j) {
            if (b[j].sign() == 0) {
                continue;
            }
            // Each square root both factors hold squares to its radicand.
            BigInteger term = a[i] * b[j];
            for (std::size_t bit = 0; bit < radicands.size(); ++bit) {
                if ((i & j & (std::size_t{1} << bit)) != 0) {
                    term = term * radicands[bit];
                }
            }
            product[i ^ j] = product[i ^ j] + term;
        }
    }
    return product;
}

// The sign of x in the field of the first k square roots: x = alpha + beta
// sqrt(r) with alpha and beta in the smaller field. Where their signs differ,
// x has alpha's sign exactly when alpha^2 exceeds beta^2 r.
int signOf(const TowerNumber& x, std::span<const BigInteger> radicands)
{
    if (radicands.empty()) {
        return x[0].sign();
    }
    const std::size_t half = x.size() / 2;
    const TowerNumber alpha(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(half));
    const TowerNumber beta(x.begin() + static_cast<std::ptrdiff_t>(half), x.end());
    const auto smaller = radicands.first(radicands.size() - 1);
    const BigInteger& r = radicands.back();
    const int alphaSign = signOf(alpha, smaller);
    const int betaSign = r.sign() == 0 ? 0 : signOf(beta, smaller);
    if (betaSign == 0 || alphaSign == betaSign) {
        return alphaSign;
    }
    if (alphaSign == 0) {
        return betaSign;
    }
    TowerNumber gamma = multiply(alpha, alpha, smaller);
    const TowerNumber betaSquared = multiply(beta, beta, smaller);
    for (std::size_t i = 0; i < gamma.size(); ++i) {
        gamma[i] = gamma[i] - betaSquared[i] * r;
    }
    return alphaSign * signOf(gamma, smaller);
}

} // namespace

int signOfRadicalSum(const BigInteger& rational, std::span<const RadicalTerm> terms)
{
    assert(terms.size() <= 4);
    std::vector<BigInteger> radicands;
    TowerNumber x(std::size_t{1} << terms.size());
    x[0] = rational;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        radicands.push_back(terms[i].radicand);
        x[std::size_t{1} << i] = terms[i].coefficient;
    }
    return signOf(x, radicands);
}

} // namespace veldronix::design
