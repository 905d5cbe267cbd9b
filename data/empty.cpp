// The resource library needs one source while no artwork exists.
