// Builds the Qt headers the tests share into their precompiled header.
