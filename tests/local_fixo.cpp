// The logic tests run under one fixed locale, a Brazilian user's, whatever
// the machine's: what the core shows follows it (names sort as that user's
// system sorts them), what it stores does not.

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct LocalFixo : ::testing::Environment {
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
};
[[maybe_unused]] const auto *const Registrado = ::testing::AddGlobalTestEnvironment(new LocalFixo);

} // namespace
