# Any sanitizer report stops the program, so a test run fails on it instead of printing and passing.
set(_sondrix_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${_sondrix_san})
add_link_options(${_sondrix_san})
