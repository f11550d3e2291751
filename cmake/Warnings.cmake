# Every library and program of ours links this; third-party code (googletest) does not.
add_library(zr_warnings INTERFACE)
target_compile_options(zr_warnings INTERFACE -Wall -Wextra)
option(QORM_WERROR "Treat warnings in our code as errors" ON)
if(QORM_WERROR)
  target_compile_options(zr_warnings INTERFACE -Werror)
endif()
