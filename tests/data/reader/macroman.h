/* © 1997 Ren */
// résumé
