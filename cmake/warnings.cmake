# Warnings are part of the build: every target of the project compiles clean with these.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion)
