# qz_gzip_configured(TEMPLATE FILE): configures TEMPLATE (@VAR@ references) into FILE and adds
# the rule that compresses it to FILE.gz the way Debian's tools want it (best compression, no
# name or time stamp inside); the caller's targets depend on FILE.gz.
include_guard(GLOBAL)
find_program(QZ_GZIP gzip REQUIRED)

function(qz_gzip_configured template file)
    configure_file(${template} ${file} @ONLY)
    get_filename_component(dir ${file} DIRECTORY)
    get_filename_component(name ${file} NAME)
    add_custom_command(
        OUTPUT ${file}.gz
        COMMAND ${QZ_GZIP} -9nkf ${name}
        DEPENDS ${file}
        WORKING_DIRECTORY ${dir}
        VERBATIM)
endfunction()
