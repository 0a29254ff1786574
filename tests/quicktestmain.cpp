// The Qt Quick Test runner of a cross build: the same command line as qmltestrunner
// (-import, -input, test function names), built for the target.
#include <QtQuickTest/quicktest.h>

QUICK_TEST_MAIN(common)
