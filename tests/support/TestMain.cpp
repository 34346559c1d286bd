// Test executables take their main from GoogleTest; this file keeps the support library
// non-empty before any helper lands.
