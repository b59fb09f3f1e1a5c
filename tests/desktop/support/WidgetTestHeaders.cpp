// Compiles the widget tests' precompiled header once; every widget test reuses it.
