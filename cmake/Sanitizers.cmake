# SPDX-License-Identifier: GPL-3.0-or-later
# Sanitizer builds: one option each, applied to everything compiled in the tree.
if(KESTROV_ASAN AND KESTROV_TSAN)
    message(FATAL_ERROR "KESTROV_ASAN and KESTROV_TSAN cannot be combined")
endif()

if(KESTROV_ASAN)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(KESTROV_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
