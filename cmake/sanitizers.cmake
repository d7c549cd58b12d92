# Any sanitizer report stops the program, so a test run fails on it instead of printing and passing.
# ThreadSanitizer cannot share a program with AddressSanitizer: it is a build of its own.
if(SONDRIX_SANITIZE AND SONDRIX_TSAN)
  message(FATAL_ERROR "SONDRIX_SANITIZE and SONDRIX_TSAN exclude each other: one build each")
endif()
if(SONDRIX_TSAN)
  set(_sondrix_san -fsanitize=thread -fno-omit-frame-pointer)
else()
  set(_sondrix_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
endif()
add_compile_options(${_sondrix_san})
add_link_options(${_sondrix_san})
# The standard library checks its own preconditions too: an index past the end of a std::array,
# which lies inside a larger object where AddressSanitizer sees no overflow, stops the test.
add_compile_definitions(_GLIBCXX_ASSERTIONS)
