// A folder that is no layer of the core.
