# Every target of the project builds without warnings.
add_compile_options(-Wall -Wextra -Werror)
