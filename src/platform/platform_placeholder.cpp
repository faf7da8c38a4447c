// Placeholder until the first sources land.
