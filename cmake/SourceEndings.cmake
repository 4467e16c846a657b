# The endings of the files the compiler reads, sources and headers alike: the one list the
# include check (check_layers.cmake) reads files by, and the build re-runs the check by.
# A file with another ending is never checked, so an ending the project starts to use
# belongs here.
set(DX_SOURCE_ENDINGS c cc cpp cxx h hh hpp hxx inc inl ipp tpp tcc)
