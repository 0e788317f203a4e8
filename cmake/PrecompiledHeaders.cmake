# Nearly all of a window file's compile time goes to parsing QCustomPlot's and Qt's headers (several
# seconds each); each target parses them once into a precompiled header instead.

set(penmarrow_window_headers <qcustomplot.h> <QApplication>)
set(penmarrow_test_headers ${penmarrow_window_headers} <QTest> <gtest/gtest.h>)

foreach(target penmarrow_ui penmarrow ui_bench)
  if(TARGET ${target})
    target_precompile_headers(${target} PRIVATE ${penmarrow_window_headers})
  endif()
endforeach()
foreach(target ui_tests ui_soak)
  target_precompile_headers(${target} PRIVATE ${penmarrow_test_headers})
endforeach()
