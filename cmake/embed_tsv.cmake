# Writes the Bamini table into a C++ source, so the core needs no file at run time.
file(READ ${TSV} content)
file(WRITE ${OUT}.tmp "namespace orvane {\nextern const char* const BaminiTsv;\nconst char* const BaminiTsv = R\"bamini_tsv(${content})bamini_tsv\";\n}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
