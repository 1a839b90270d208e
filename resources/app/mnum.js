// Epreuves du menu Mixte : code, tabulation, libellé
14	"4 x 50 m N.L."
15	"4 x 100 m N.L."
16	"4 x 50 m 4 Nages"
17	"4 x 100 m 4 Nages"
18	"10 x 50 m N.L."
