// Every logic test runs under one fixed locale, a Brazilian user's, whatever
// the machine's (what the core shows follows it, what it stores does not;
// names sort as that user's system sorts them), and starts and ends with a
// clean shared state.

#include "shell/estado.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct LocalFixo : ::testing::Environment {
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
};
struct EstadoLimpo : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override { quellora::ResetaEstado(); }
    void OnTestEnd(const ::testing::TestInfo &) override { quellora::ResetaEstado(); }
};
[[maybe_unused]] const bool Registrado = (::testing::AddGlobalTestEnvironment(new LocalFixo),
                                          ::testing::UnitTest::GetInstance()->listeners().Append(new EstadoLimpo), true);

} // namespace
