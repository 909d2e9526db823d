# Every target we own links plotwise_warnings: the flags live in one place.
add_library(plotwise_warnings INTERFACE)
target_compile_options(plotwise_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Werror)
