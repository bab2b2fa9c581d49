# Writes a table into a C++ source as the constant NAME, so the core needs no file at run time.
file(READ ${TSV} content)
file(WRITE ${OUT}.tmp "namespace orvane {\nextern const char* const ${NAME};\nconst char* const ${NAME} = R\"embedded_tsv(${content})embedded_tsv\";\n}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
