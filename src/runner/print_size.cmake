# Prints the size of the runner program against the room it has in the
# runner data (the icon area starts at 1270376).
file(SIZE "${PROGRAM}" size)
math(EXPR room "1270376 - ${size}")
message(STATUS "kestrin-runner: ${size} bytes (${room} bytes below the limit of 1270376)")
if(size GREATER_EQUAL 1270376)
    message(FATAL_ERROR "kestrin-runner is too large for the runner data")
endif()
