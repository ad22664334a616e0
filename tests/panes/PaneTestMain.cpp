// The widget tests run in one QApplication (offscreen, from the harness).
#include <QApplication>

#include <gtest/gtest.h>

#if defined(__SANITIZE_THREAD__)
// Qt's libraries are not instrumented: their own hand-overs between the GUI
// thread pool and the main thread (memory allocated on one, freed on the
// other under Qt's locks) would read as races. Accesses made by our code are
// still checked.
extern "C" const char* __tsan_default_options()
{
    return "ignore_noninstrumented_modules=1";
}
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
