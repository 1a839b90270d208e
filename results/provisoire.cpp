// The results subsystem's first file; its windows come with the results viewer.
