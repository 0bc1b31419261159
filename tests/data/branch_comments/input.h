/* A branch left out whose code opens a block comment mid-line: the comment's lines are
   no directives, as a compiler reads them. */

#if 0
typedef int GSUnused; /* kept for older releases:
#else
   the line above is inside this comment, not an #else of the branch.
#endif
*/
extern void GSLeftOut(void);
#else
extern void GSTaken(void);
#endif

#ifdef GS_NEVER_DEFINED
static const char *GSPattern = "/*";  /* a comment opener in a literal opens none */
extern void GSAlsoLeftOut(void);
#else
extern void GSAlsoTaken(void);
#endif

#if 0
int GSCode; /* closed */ /* and another
#endif
*/ int GSMore;
#endif

extern void GSLast(void);

#if 0
char GSQuote = '"'; /* a quote in a character literal opens no string
#endif
*/
extern void GSQuoted(void);
#endif
