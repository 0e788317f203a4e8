# Most of a window file's compile time goes to parsing QCustomPlot's and Qt's headers (about 7 s of
# 7.5 s). A precompiled header costs about 15 s and loads in under 2 s, so it pays only in the
# targets with many such files: the window library and the widget tests.

target_precompile_headers(penmarrow_ui PRIVATE <qcustomplot.h> <QApplication>)
target_precompile_headers(ui_tests PRIVATE <qcustomplot.h> <QApplication> <QTest> <gtest/gtest.h>)
